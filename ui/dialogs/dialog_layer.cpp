#include "ui/dialogs/dialog_layer.h"

#ifdef VANDREL_HAVE_DIALOGS
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/prompt_dialog.h"
#else
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#endif

namespace vandrel {

namespace {

#ifdef VANDREL_HAVE_DIALOGS

class GameDialogs : public DialogLayer {
 public:
  GameDialogs(QWidget* parent, const QImage& strip)
      : parent_(parent),
        prompt_(new TPrompt(parent)),
        options_(new TOptionForm(strip, parent)),
        logo_(new Tlogo(parent)) {}

  void prompt(const QString& text) override { prompt_->ShowMessage(text); }
  int options(int* gamesPerMatch, bool* sfxOn, bool* strong) override {
    return options_->Execute(gamesPerMatch, sfxOn, strong);
  }
  void about() override { logo_->Execute(); }
  void plainMessage(const QString& text) override { ShowPlainMessage(parent_, text); }
  void errorMessage(const QString& text) override { ShowErrorMessage(parent_, text); }
  std::optional<std::string> askSaveFile() override { return AskSaveGameFile(parent_); }
  std::optional<std::string> askLoadFile() override { return AskLoadGameFile(parent_); }

 private:
  QWidget* parent_;
  // Owned by the parent window, as Qt children.
  TPrompt* prompt_;
  TOptionForm* options_;
  Tlogo* logo_;
};

#else

// Plain stand-ins, for a build without the game's own dialogs.
class GameDialogs : public DialogLayer {
 public:
  GameDialogs(QWidget* parent, const QImage&) : parent_(parent) {}

  void prompt(const QString& text) override { plainMessage(text); }
  int options(int* gamesPerMatch, bool*, bool*) override {
    bool ok = false;
    const int n =
        QInputDialog::getInt(parent_, QStringLiteral("Options"), QStringLiteral("Games / Match"),
                             *gamesPerMatch, 1, 10, 1, &ok);
    if (!ok) return 2;
    *gamesPerMatch = n;
    return 1;
  }
  void about() override { plainMessage(QStringLiteral("Vandrel v 1.1")); }
  void plainMessage(const QString& text) override {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vandrel"), text, QMessageBox::Ok, parent_);
    box.exec();
  }
  void errorMessage(const QString& text) override {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vandrel"), text, QMessageBox::Ok,
                    parent_);
    box.exec();
  }
  std::optional<std::string> askSaveFile() override {
    const QString f = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save Game"), {},
                                                   QStringLiteral("Vandrel games (*.vdg)"));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
  }
  std::optional<std::string> askLoadFile() override {
    const QString f = QFileDialog::getOpenFileName(parent_, QStringLiteral("Load Game"), {},
                                                   QStringLiteral("Vandrel games (*.vdg)"));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
  }

 private:
  QWidget* parent_;
};

#endif

}  // namespace

std::unique_ptr<DialogLayer> CreateDialogs(QWidget* parent, const QImage& strip) {
  return std::make_unique<GameDialogs>(parent, strip);
}

}  // namespace vandrel
