#include "hostlink/commsettings.h"

#include "app/core/cp1252.h"
#include "app/core/locations.h"
#include "app/core/quickpak.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vandrel {

const QString CommSettings::ViaInternet = QStringLiteral(">>VIA INTERNET<<");

bool CommSettings::viaInternet() const
{
    return modem_.trimmed().compare(ViaInternet, Qt::CaseInsensitive) == 0;
}

QString CommSettings::fit(const QString& value, int length)
{
    return value.left(length).leftJustified(length, QLatin1Char(' '));
}

CommSettings& commSettings()
{
    static CommSettings record;
    return record;
}

namespace commsettingsfile {
namespace {

const QByteArray cipherKey = "tmr8;1";
constexpr int maxStoredLength = 99;

QByteArray cipher(QByteArray text)
{
    quickpak::Encrypt2(text, cipherKey);
    return text;
}

} // namespace

QString fileName()
{
    return QDir(locations::windowsDirectory()).filePath(QStringLiteral("VANDREL4.SET"));
}

bool exists()
{
    return QFile::exists(fileName());
}

CommSettings parse(const QByteArray& bytes)
{
    CommSettings s;
    void (CommSettings::*setters[])(const QString&) = {
        &CommSettings::setTelephoneNumber, &CommSettings::setModemName, &CommSettings::setAccessCode,
        &CommSettings::setPrivateCode, &CommSettings::setFileTransfer};
    qsizetype pos = 0;
    for (auto setter : setters) {
        if (pos + 2 > bytes.size())
            break;
        const QByteArray digits = bytes.mid(pos, 2);
        if (!std::isdigit(static_cast<unsigned char>(digits[0])) ||
            !std::isdigit(static_cast<unsigned char>(digits[1])))
            break; // not a length: the rest cannot be placed
        const int length = digits.toInt();
        pos += 2;
        if (pos + length > bytes.size())
            break;
        (s.*setter)(cp1252::toUnicode(cipher(bytes.mid(pos, length))));
        pos += length;
    }
    return s;
}

QByteArray serialize(const CommSettings& s)
{
    QByteArray out;
    for (const QString* field : {&s.telephoneNumber(), &s.modemName(), &s.accessCode(), &s.privateCode(),
                                 &s.fileTransfer()}) {
        const QByteArray value = cp1252::fromUnicode(field->trimmed()).left(maxStoredLength);
        out += QByteArray::number(value.size()).rightJustified(2, '0');
        out += cipher(value);
    }
    return out;
}

CommSettings load()
{
    QFile file(fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

bool save(const CommSettings& settings)
{
    QSaveFile file(fileName());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(serialize(settings));
    return file.commit();
}

} // namespace commsettingsfile
} // namespace vandrel
