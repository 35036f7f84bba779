#pragma once

#include <QString>

#include <optional>

// The reversible scrambling of the access password: a byte stream cipher with a
// 16-bit running key, written as two upper-case hexadecimal digits per character.
namespace Crypt {

// Only the lower 8 bits of each character are kept; at most 255 characters.
QString scramble(const QString &plain);

// Fails when a pair read is not hexadecimal. A last odd digit is ignored.
std::optional<QString> unscramble(const QString &hex);

} // namespace Crypt
