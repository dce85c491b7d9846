#include "tools/demodata/ean.h"

namespace vandrel::demodata {

int eanCheckDigit(const QString& twelveDigits)
{
    if (twelveDigits.size() != 12)
        return -1;
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        const QChar c = twelveDigits[i];
        if (c < u'0' || c > u'9')
            return -1;
        sum += (c.unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    }
    return (10 - sum % 10) % 10;
}

QString ean13(const QString& twelveDigits)
{
    const int check = eanCheckDigit(twelveDigits);
    return check < 0 ? QString() : twelveDigits + QChar(u'0' + check);
}

bool isValidEan13(const QString& number)
{
    return number.size() == 13 && eanCheckDigit(number.left(12)) == number[12].unicode() - u'0';
}

} // namespace vandrel::demodata
