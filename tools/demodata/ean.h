#pragma once

#include <QString>

namespace vandrel::demodata {

// EAN-13 check digit of the first twelve digits (weights 1 and 3 from the left);
// -1 when the text is not twelve digits.
int eanCheckDigit(const QString& twelveDigits);
// The twelve digits with their check digit appended.
QString ean13(const QString& twelveDigits);
bool isValidEan13(const QString& number);

} // namespace vandrel::demodata
