#pragma once
// Caption numbers and number texts: counters live in caption texts, so their values are read and written
// here the one way the whole program uses.
#include <QString>

namespace platform {

// The leading decimal number of a text: blanks and tabs skipped, an optional sign, digits and a decimal
// fraction; reading stops at the first character that cannot belong to the number; 0 when there is none.
double captionValue(const QString& text);
// Plain decimal text, no blanks: 7 -> "7", -3 -> "-3".
QString numberText(long long value);
// Decimal text with a leading blank for a non-negative number: 7 -> " 7", -3 -> "-3".
QString numberTextWithSign(long long value);
// Upper and lower case, Polish letters included.
QString upperCase(const QString& text);
QString lowerCase(const QString& text);
// A count with its noun in the Polish form it takes: countedNoun(n, "wpis", "wpisy", "wpisów") gives
// "1 wpis", "3 wpisy", "22 wpisy", "5 wpisów", "12 wpisów".
QString countedNoun(long long n, const QString& one, const QString& few, const QString& many);

}  // namespace platform
