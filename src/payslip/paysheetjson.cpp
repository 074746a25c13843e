#include "paysheetjson.h"

#include <QJsonArray>

namespace PaySheetJson {

namespace {

template <std::size_t N>
QJsonArray texts(const std::array<QString, N> &values)
{
    QJsonArray array;
    for (const QString &value : values)
        array.append(value);
    return array;
}

} // namespace

QJsonObject toJson(const PaySheet &sheet)
{
    QJsonObject object;
    for (const auto &[name, text] : sheet.namedTexts())
        object.insert(name, text);
    object.insert(QStringLiteral("rate_copy"), texts(sheet.rate_copy));
    object.insert(QStringLiteral("base_copy"), texts(sheet.base_copy));
    return object;
}

} // namespace PaySheetJson
