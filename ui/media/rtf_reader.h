#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace vandrel {

// Reads rich text in the small part of RTF that our rules document uses and builds `doc` from it,
// replacing whatever the document held before.
//
// Understood: groups; `\*` and other ignorable destinations (skipped); the font and colour
// tables; \b \i \ul (with \b0 \i0 \ul0 \ulnone), \fsN (half-points), \fN, \cfN; \ql \qc \qr
// \qj; \li \ri \fi \sb \sa (twips, kept within ±20000, shown at 15 twips to the pixel); \par
// \pard \plain \line \tab; \'hh in Windows-1252; \uN with \ucN; the usual quote and dash
// words. Anything else is skipped.
//
// The reader never gives up: broken input still yields whatever text could be recovered. The
// result is false, with a short reason in *error, when the input is not clean RTF: no "{\rtf"
// header, unbalanced braces, a cut-off escape, or groups nested too deep to follow.
bool ReadRtf(const QByteArray& rtf, QTextDocument* doc, QString* error = nullptr);

}  // namespace vandrel
