#include "rules/presentation.h"

#include <cstdarg>

namespace vandrel {

void Presentation::PlaySfx(Sound snd) {
  if (!live()) return;
  Trace("sound %s", SoundName(snd));
  playSfx(snd);
}

void Presentation::ShowPrompt(std::string_view text) {
  if (!live()) return;
  Trace("prompt %.*s", static_cast<int>(text.size()), text.data());
  showPrompt(text);
}

bool Presentation::AskQuestion(std::string_view text) {
  if (!live()) return false;
  Trace("prompt %.*s", static_cast<int>(text.size()), text.data());
  return askQuestion(text) && live();
}

void Presentation::Trace(const char* fmt, ...) {
  if (!trace_ || quitting_) return;
  va_list args;
  va_start(args, fmt);
  std::vfprintf(trace_, fmt, args);
  va_end(args);
  std::fputc('\n', trace_);
  std::fflush(trace_);
}

int SilentPresentation::random(int n) {
  // xorshift64*: small, fast and good enough for dice.
  rng_ ^= rng_ >> 12;
  rng_ ^= rng_ << 25;
  rng_ ^= rng_ >> 27;
  const uint64_t r = rng_ * 0x2545F4914F6CDD1DULL;
  return static_cast<int>((r >> 32) % static_cast<uint64_t>(n));
}

bool Pause(Presentation& ui, int ms) { return ui.WaitUntil(ui.Now() + ms); }

}  // namespace vandrel
