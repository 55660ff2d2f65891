#include "grid_header_hints.h"

#include "shaft_line.h"
#include "support.h"

// The ranges below are written out for a reader; they must be the limits the checks apply.
static_assert(shaftline::kMinLength == 1e-6 && shaftline::kMaxLength == 1e6);
static_assert(shaftline::kMinYoung == 1 && shaftline::kMaxYoung == 1e8);
static_assert(shaftline::kMaxBladeMass == 1e6 && shaftline::kMaxBladeCount == 1e6);

std::vector<QString> SectionHeaderHints() {
    return {
        QStringLiteral("Координата конца участка от левой опоры, мм; 0 или 1·10⁻⁶ … 1·10⁶, "
                       "не меньше координаты предыдущего участка"),
        QStringLiteral("Диаметр диска, мм; по модулю не больше 1·10⁶"),
        QStringLiteral("Диаметр вала, мм; 1·10⁻⁶ … 1·10⁶"),
        QStringLiteral("Толщина диска, мм; по модулю не больше 1·10⁶"),
        QStringLiteral("Внутренний диаметр (расточка) вала, мм; от 0 до диаметра вала, "
                       "меньше него"),
        QStringLiteral("Модуль Юнга, кгс/мм²; 1 … 1·10⁸"),
        QStringLiteral("Масса одной лопатки, кг; по модулю не больше 1·10⁶"),
        QStringLiteral("Число лопаток на участке; по модулю не больше 1·10⁶"),
        QStringLiteral("Прогиб в сечениях, мм, вверх положительный; результат расчета, "
                       "не вводится"),
    };
}

std::vector<QString> SupportHeaderHints() {
    // One support's nine values in the order of its columns.
    const QString parts[] = {
        QStringLiteral("Высота фундамента %1, мм"),
        QStringLiteral("Температура фундамента %1, °C"),
        QStringLiteral("Высота рамы %1, мм"),
        QStringLiteral("Температура рамы %1, °C"),
        QStringLiteral("Высота корпуса подшипника %1, мм"),
        QStringLiteral("Температура корпуса подшипника %1, °C"),
        QStringLiteral("Поправка %1 на конденсатор, мм"),
        QStringLiteral("Поправка %1 на вакуум, мм"),
        QStringLiteral("Поправка %1 на цапфу, мм"),
    };
    static_assert(std::size(parts) * 2 == shaftline::kSupportColumns);
    const QString range = QStringLiteral("; любое число, подъемы опоры должны остаться конечными");
    std::vector<QString> hints;
    for (const QString& side : {QStringLiteral("левой опоры"), QStringLiteral("правой опоры")})
        for (const QString& part : parts) hints.push_back(part.arg(side) + range);
    return hints;
}
