#include "ui/window/kept_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <optional>

#include "control/kept_file.h"

namespace vandrel {

namespace {

// A settings file is a few lines; anything much larger is not ours.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

const QString kGames = QStringLiteral("match/games");
const QString kSound = QStringLiteral("sound/on");
const QString kLevel = QStringLiteral("computer/level");
const QString kShowMoves = QStringLiteral("help/show_moves");
const QString kFullScreen = QStringLiteral("window/full_screen");
const QString kLastFolder = QStringLiteral("files/last_folder");

// A yes/no value as QSettings writes it ("true", "false"); anything else is
// not one.
std::optional<bool> ReadFlag(const QVariant& v) {
  const QString text = v.toString().trimmed().toLower();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return std::nullopt;
}

}  // namespace

KeptSettings::KeptSettings(QString path, Warn warn)
    : path_(std::move(path)), warn_(std::move(warn)) {}

QString KeptSettings::DefaultPath() {
  const std::string dir = KeptFolderPath(KeptFolder::Config);
  return dir.empty() ? QString() : QFile::decodeName(dir.c_str()) + QStringLiteral("/vandrel.conf");
}

void KeptSettings::Load() {
  if (path_.isEmpty()) return;
  const std::string file = QFile::encodeName(path_).toStdString();
  // Checked first: QSettings would wait forever on a FIFO and read a folder
  // as an empty file.
  const KeptRead r = ReadKeptFile(file, kMaxSettingsBytes);
  if (r.status == KeptRead::Missing) return;
  auto tell = [&](const QString& why) {
    if (warn_)
      warn_("the settings " + file + " cannot be used" + why.toStdString() +
            "; the defaults stand for it.");
  };
  if (r.status == KeptRead::Unusable) {
    tell(QStringLiteral(", ") + QString::fromStdString(r.reason).chopped(1));
    return;
  }
  QSettings ini(path_, QSettings::IniFormat);
  if (ini.status() != QSettings::NoError) {
    tell(QStringLiteral(", it is garbled"));
    return;
  }
  QStringList refused;
  GameSettings v;
  if (ini.contains(kGames)) {
    bool ok = false;
    const int n = ini.value(kGames).toString().trimmed().toInt(&ok);
    if (ok && n >= kMinGamesPerMatch && n <= kMaxGamesPerMatch) {
      v.gamesPerMatch = n;
    } else {
      refused << kGames;
    }
  }
  const std::pair<const QString*, bool*> flags[] = {
      {&kSound, &v.sound}, {&kShowMoves, &v.showMoves}, {&kFullScreen, &v.fullScreen}};
  for (const auto& [key, field] : flags) {
    if (!ini.contains(*key)) continue;
    if (const std::optional<bool> b = ReadFlag(ini.value(*key))) {
      *field = *b;
    } else {
      refused << *key;
    }
  }
  if (ini.contains(kLevel)) {
    const QString level = ini.value(kLevel).toString().trimmed().toLower();
    if (level == QLatin1String("classic") || level == QLatin1String("strong")) {
      v.level = level == QLatin1String("strong") ? ComputerLevel::Strong : ComputerLevel::Classic;
    } else {
      refused << kLevel;
    }
  }
  if (ini.contains(kLastFolder)) {
    const QString folder = ini.value(kLastFolder).toString();
    if (QDir::isAbsolutePath(folder) && !folder.contains(QChar(0))) {
      v.lastFolder = folder;
    } else {
      refused << kLastFolder;
    }
  }
  values_ = v;
  if (!refused.isEmpty()) tell(QStringLiteral(" for ") + refused.join(QStringLiteral(", ")));
}

void KeptSettings::ApplyTo(GameState& s) const {
  s.GamesPerMatch = values_.gamesPerMatch;
  s.SfxOn = values_.sound;
  s.Level = values_.level;
  s.ShowMoves = values_.showMoves;
}

void KeptSettings::KeepGame(const GameState& s) {
  GameSettings v = values_;
  v.gamesPerMatch = std::clamp(s.GamesPerMatch, kMinGamesPerMatch, kMaxGamesPerMatch);
  v.sound = s.SfxOn;
  v.level = s.Level;
  v.showMoves = s.ShowMoves;
  if (v == values_) return;
  values_ = v;
  Write();
}

void KeptSettings::KeepFullScreen(bool on) {
  if (values_.fullScreen == on) return;
  values_.fullScreen = on;
  Write();
}

void KeptSettings::KeepLastFolder(const std::string& file) {
  const QString folder = QFileInfo(QFile::decodeName(file.c_str())).absolutePath();
  if (folder == values_.lastFolder) return;
  values_.lastFolder = folder;
  Write();
}

void KeptSettings::Write() {
  if (path_.isEmpty()) return;
  const std::string file = QFile::encodeName(path_).toStdString();
  // QSettings fills a fresh temporary file that then replaces whatever stood
  // at the path (a FIFO or a link included: QSettings would wait on the one
  // and write through the other).
  const std::string why = ReplaceKeptFile(file, [this](int, const std::string& tmp) {
    QSettings ini(QFile::decodeName(tmp.c_str()), QSettings::IniFormat);
    ini.setValue(kGames, values_.gamesPerMatch);
    ini.setValue(kSound, values_.sound);
    ini.setValue(kLevel, values_.level == ComputerLevel::Strong ? QStringLiteral("strong")
                                                                : QStringLiteral("classic"));
    ini.setValue(kShowMoves, values_.showMoves);
    ini.setValue(kFullScreen, values_.fullScreen);
    if (!values_.lastFolder.isEmpty()) ini.setValue(kLastFolder, values_.lastFolder);
    ini.sync();
    return ini.status() == QSettings::NoError ? std::string() : "it could not be written.";
  });
  if (!why.empty() && !writeTold_ && warn_) {
    writeTold_ = true;
    warn_("cannot keep the settings in " + file + ": " + why);
  }
}

std::string KeptSettings::TraceLine(const GameState& s, bool fullScreen) {
  return "settings games " + std::to_string(s.GamesPerMatch) + " sound " +
         (s.SfxOn ? "on" : "off") + " computer " +
         (s.Level == ComputerLevel::Strong ? "strong" : "classic") + " show-moves " +
         (s.ShowMoves ? "on" : "off") + " screen " + (fullScreen ? "full" : "window");
}

}  // namespace vandrel
