#pragma once
// The numbers read from the cells of a whole list, for one walk over it (the statistics, the
// journal): the same few quantities, prices and codes come back on line after line, and each text
// is converted once by the runtime's own conversion. A text that does not read is remembered as
// such.
#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <unordered_map>
#include "platform/exception.h"
#include "platform/rtl.h"

namespace numbers {

// As rtl::Trim, without making a string.
inline QStringView Trimmed(QStringView text)
{
    const auto blank = [](QChar c) { return c.unicode() <= 0x20; };
    qsizetype from = 0, to = text.size();
    while (to > 0 && blank(text[to - 1]))
        --to;
    while (from < to && blank(text[from]))
        ++from;
    return text.sliced(from, to - from);
}

class Memo {
public:
    // rtl::StrToFloat and rtl::StrToInt, nullopt where they throw EConvertError.
    std::optional<double> Float(QStringView text) { return Look(floats_, text, &rtl::StrToFloat); }
    std::optional<int> Int(QStringView text) { return Look(ints_, text, &rtl::StrToInt); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(QStringView text) const { return qHash(text); }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };
    template <class T>
    using Map = std::unordered_map<QString, std::optional<T>, Hash, Equal>;

    template <class T>
    static std::optional<T> Look(Map<T>& map, QStringView text, T (*convert)(const QString&))
    {
        auto known = map.find(text);
        if (known == map.end()) {
            const QString key = text.toString();
            std::optional<T> value;
            try {
                value = convert(key);
            } catch (const EConvertError&) {
            }
            known = map.emplace(key, value).first;
        }
        return known->second;
    }

    Map<double> floats_;
    Map<int> ints_;
};

}  // namespace numbers
