#include "ui/window/game_text.h"

#include <QCoreApplication>
#include <string>

#include "rules/translation_marks.h"

namespace vandrel {

namespace {

QString Translated(const char* english) {
  return QCoreApplication::translate(kGameTextContext, english);
}

}  // namespace

QString GameText(std::string_view english) { return Translated(std::string(english).c_str()); }

QString GameText(const SquareSaid& square) {
  QString text = Translated(square.format);
  // A square of a Base column has one number only.
  if (text.contains(QLatin1String("%2"))) return text.arg(square.numbers[0]).arg(square.numbers[1]);
  return text.arg(square.numbers[0]);
}

QString GameText(const Said& said) {
  if (said.empty()) return {};
  QString text = Translated(said.format);
  if (text.contains(QLatin1String("%2")))
    return text.arg(GameText(said.squares[0]), GameText(said.squares[1]));
  return text.arg(GameText(said.squares[0]));
}

}  // namespace vandrel
