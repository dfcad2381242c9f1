// libFuzzer target for the rules-text reader: any bytes give a document, or
// a refusal with whatever text could be recovered, and the document lays out
// at the rules viewer's width in little time (the run's -timeout says how
// little).
#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

#include "ui/media/rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QTextDocument doc;
  vandrel::ReadRtf(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), &doc);
  doc.setTextWidth(581);
  (void)doc.documentLayout()->documentSize();
  return 0;
}
