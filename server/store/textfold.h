// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>

namespace Mervak::Server {

// Upper-case plain Latin form of a text: Turkish letters folded as the client's search box
// folds them (ğ->G, ş->S, ı/i/İ->I, ...), so "şaft", "SAFT" and "Şaft" meet.
QString foldTurkish(const QString &text);

// The folded text with everything but letters and digits removed: "04465-33 450" and
// "0446533450" give the same key, so part numbers match however they are separated.
QString compactCode(const QString &text);

// A LIKE pattern "%text%" with the LIKE metacharacters of text escaped by '\'.
QString likeContains(const QString &text);

} // namespace Mervak::Server
