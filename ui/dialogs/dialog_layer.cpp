#include "ui/dialogs/dialog_layer.h"

#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#include "ui/dialogs/record_dialog.h"

namespace vandrel {

namespace {

class GameDialogs : public DialogLayer {
 public:
  GameDialogs(QWidget* parent, const QImage& strip)
      : parent_(parent),
        prompt_(new PromptDialog(parent)),
        options_(new OptionsDialog(strip, parent)),
        about_(new AboutDialog(parent)),
        record_(new RecordDialog(strip, prompt_, parent)) {}

  void prompt(const QString& text) override { prompt_->ShowMessage(text); }
  bool ask(const QString& text) override { return prompt_->AskQuestion(text); }
  int options(int* gamesPerMatch, bool* sfxOn, bool* strong, bool* showMoves) override {
    return options_->Execute(gamesPerMatch, sfxOn, strong, showMoves);
  }
  bool about() override { return about_->Execute(); }
  bool record(const PlayerRecord& shown) override { return record_->Execute(shown); }
  void plainMessage(const QString& text) override { ShowPlainMessage(parent_, text, layoutScale_); }
  void errorMessage(const QString& text) override { ShowErrorMessage(parent_, text, layoutScale_); }
  std::optional<std::string> askSaveFile(const QString& folder) override {
    return AskSaveGameFile(parent_, folder, layoutScale_);
  }
  std::optional<std::string> askLoadFile(const QString& folder) override {
    return AskLoadGameFile(parent_, folder, layoutScale_);
  }
  void setLayoutScale(double factor) override {
    layoutScale_ = factor;
    prompt_->setLayoutScale(factor);
    options_->setLayoutScale(factor);
    about_->setLayoutScale(factor);
    record_->setLayoutScale(factor);
  }

 private:
  QWidget* parent_;
  // Owned by the parent window, as Qt children.
  PromptDialog* prompt_;
  OptionsDialog* options_;
  AboutDialog* about_;
  RecordDialog* record_;
  double layoutScale_ = 0.0;  // none told yet
};

}  // namespace

std::unique_ptr<DialogLayer> CreateDialogs(QWidget* parent, const QImage& strip) {
  return std::make_unique<GameDialogs>(parent, strip);
}

}  // namespace vandrel
