#pragma once

#include <QByteArray>
#include <QString>

// The archives store text one byte per character in the Windows-1252 code page.
// These conversions do not depend on the platform's codecs.
namespace Win1252 {

// A character the code page lacks becomes '?'.
QByteArray encode(const QString &text);
char encodeChar(char16_t c);
QString decode(const char *bytes, int length);
// The character of one byte.
char16_t charOf(unsigned char byte);
// Decodes length bytes into out, which has room for them.
void decodeInto(const char *bytes, qsizetype length, char16_t *out);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), int(bytes.size())); }

// True when every character of the text has a byte of its own in the code page.
bool canEncode(const QString &text);

} // namespace Win1252
