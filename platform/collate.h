#pragma once
// The order of every sorted list: German collation, letter case ignored,
// blanks significant, so "1 " < "10" < "11" < "2 " and "Ärger" sorts with the A's.
#include <QString>

namespace collate {
int compare(const QString& a, const QString& b);
inline bool less(const QString& a, const QString& b) { return compare(a, b) < 0; }
}
