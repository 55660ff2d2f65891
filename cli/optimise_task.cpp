#include "optimise_task.h"

#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "message_text.h"

namespace shaftline::cli {

namespace {

using Json = nlohmann::json;

// Deeper nesting than the task's own (an object of arrays of pairs) is refused while parsing.
constexpr int kMaxDepth = 4;

class KeyError : public std::runtime_error {
  public:
    KeyError(const std::string& key, const std::string& what) : std::runtime_error("ключ «" + key + "»: " + what) {}
};

std::string Item(const std::string& key, std::size_t index) {
    return key + "[" + std::to_string(index) + "]";
}

double Number(const Json& value, const std::string& key) {
    if (!value.is_number()) throw KeyError(key, "ожидается число");
    const double number = value.get<double>();
    if (!std::isfinite(number)) throw KeyError(key, "число вне допустимого диапазона");
    return number;
}

double Positive(const Json& value, const std::string& key) {
    const double number = Number(value, key);
    if (!(number > 0)) throw KeyError(key, "число должно быть больше нуля");
    return number;
}

// Support j of J(j) from its number 1..count.
int SupportIndex(const Json& value, const std::string& key, int count) {
    if (!value.is_number_integer()) throw KeyError(key, "ожидается номер опоры");
    const auto number = value.get<long long>();
    if (number < 1 || number > count)
        throw KeyError(key, "опоры " + std::to_string(number) + " нет: опоры нумеруются 1.." + std::to_string(count));
    return static_cast<int>(number - 1);
}

const Json& Array(const Json& value, const std::string& key) {
    if (!value.is_array()) throw KeyError(key, "ожидается массив");
    return value;
}

const Json& ArrayOf(const Json& value, const std::string& key, int count, const char* what) {
    Array(value, key);
    if (value.size() != static_cast<std::size_t>(count))
        throw KeyError(key, std::string("ожидается ") + what + " для каждой из " + std::to_string(count) + " опор, дано " +
                                std::to_string(value.size()));
    return value;
}

std::vector<double> Targets(const Json& value, int count) {
    if (value.is_string()) {
        if (value.get<std::string>() != "own") throw KeyError("target", "ожидается \"own\" или массив нагрузок");
        return {};
    }
    if (!value.is_array()) throw KeyError("target", "ожидается \"own\" или массив нагрузок");
    ArrayOf(value, "target", count, "нагрузка");
    std::vector<double> targets;
    for (std::size_t j = 0; j < value.size(); ++j) targets.push_back(Positive(value[j], Item("target", j)));
    return targets;
}

std::vector<SupportState> States(const Json& value) {
    std::vector<SupportState> states;
    for (std::size_t i = 0; i < Array(value, "states").size(); ++i) {
        const Json& s = value[i];
        if (s == "nominal") states.push_back(SupportState::kNominal);
        else if (s == "assembly") states.push_back(SupportState::kAssembly);
        else throw KeyError(Item("states", i), "ожидается \"nominal\" или \"assembly\"");
    }
    if (states.empty()) throw KeyError("states", "не указано ни одного состояния");
    return states;
}

// A side of a lift range: a number, or null for an open side.
double Side(const Json& value, const std::string& key, double open) {
    return value.is_null() ? open : Number(value, key);
}

LiftRange Range(const Json& min, const Json& max, const std::string& minKey, const std::string& maxKey) {
    const double inf = std::numeric_limits<double>::infinity();
    LiftRange r{Side(min, minKey, -inf), Side(max, maxKey, inf)};
    if (r.min > r.max) throw KeyError(minKey, "нижняя граница больше верхней");
    return r;
}

std::vector<LiftRange> Ranges(const Json& value, int count) {
    if (value.is_object()) {
        for (const auto& item : value.items())
            if (item.key() != "min" && item.key() != "max") throw KeyError("bounds." + item.key(), "неизвестный ключ");
        const Json none;
        const LiftRange r = Range(value.contains("min") ? value["min"] : none,
                                  value.contains("max") ? value["max"] : none, "bounds.min", "bounds.max");
        return std::vector<LiftRange>(static_cast<std::size_t>(count), r);
    }
    if (!value.is_array()) throw KeyError("bounds", "ожидается {\"min\", \"max\"} или массив пар [min, max]");
    ArrayOf(value, "bounds", count, "пара [min, max]");
    std::vector<LiftRange> ranges;
    for (std::size_t j = 0; j < value.size(); ++j) {
        const std::string key = Item("bounds", j);
        if (!value[j].is_array() || value[j].size() != 2) throw KeyError(key, "ожидается пара [min, max]");
        ranges.push_back(Range(value[j][0], value[j][1], key + "[0]", key + "[1]"));
    }
    return ranges;
}

std::vector<JournalSize> Journals(const Json& value, int count) {
    std::vector<JournalSize> journals;
    for (std::size_t i = 0; i < Array(value, "journals").size(); ++i) {
        const std::string key = Item("journals", i);
        const Json& j = value[i];
        if (!j.is_object()) throw KeyError(key, "ожидается объект");
        for (const auto& item : j.items()) {
            const std::string& name = item.key();
            if (name != "support" && name != "diameter" && name != "length" && name != "pressure_max")
                throw KeyError(key + "." + name, "неизвестный ключ");
        }
        for (const char* required : {"support", "diameter", "length"})
            if (!j.contains(required)) throw KeyError(key + "." + required, "не указан");
        JournalSize journal;
        journal.support = SupportIndex(j["support"], key + ".support", count);
        for (const JournalSize& earlier : journals)
            if (earlier.support == journal.support) throw KeyError(key + ".support", "цапфа этой опоры уже задана");
        journal.diameter = Positive(j["diameter"], key + ".diameter");
        journal.length = Positive(j["length"], key + ".length");
        if (j.contains("pressure_max")) journal.pressureMax = Positive(j["pressure_max"], key + ".pressure_max");
        journals.push_back(journal);
    }
    return journals;
}

SupportLiftTask TaskOf(const Json& root, int count, const std::vector<JournalSize>& bookJournals) {
    if (!root.is_object()) throw std::runtime_error("ожидается объект JSON");
    SupportLiftTask task;
    task.journals = bookJournals;
    for (const auto& item : root.items()) {
        const std::string& key = item.key();
        const Json& value = item.value();
        if (key == "target") {
            task.targets = Targets(value, count);
        } else if (key == "states") {
            task.states = States(value);
        } else if (key == "band") {
            task.bandPercent = Positive(value, key);
        } else if (key == "min_load") {
            task.minLoad = Number(value, key);
        } else if (key == "fixed") {
            std::vector<int> fixed;
            for (std::size_t i = 0; i < Array(value, key).size(); ++i)
                fixed.push_back(SupportIndex(value[i], Item(key, i), count));
            task.fixed = std::move(fixed);
        } else if (key == "bounds") {
            task.ranges = Ranges(value, count);
        } else if (key == "journals") {
            task.journals = Journals(value, count);
        } else {
            throw KeyError(key, "неизвестный ключ");
        }
    }
    return task;
}

}  // namespace

SupportLiftTask ParseOptimiseTask(const std::string& text, int supportCount,
                                  const std::vector<JournalSize>& bookJournals) {
    Json root;
    try {
        root = Json::parse(text, [](int depth, Json::parse_event_t, Json&) {
            if (depth > kMaxDepth) throw std::runtime_error("слишком глубокая вложенность");
            return true;
        });
    } catch (const Json::out_of_range&) {
        throw UsageError("число вне допустимого диапазона");
    } catch (const Json::exception&) {
        throw UsageError("не является текстом JSON");
    } catch (const std::runtime_error& e) {
        throw UsageError(e.what());
    }
    try {
        return TaskOf(root, supportCount, bookJournals);
    } catch (const std::runtime_error& e) {
        throw UsageError(e.what());
    }
}

SupportLiftTask ReadOptimiseTask(const std::string& path, int supportCount,
                                 const std::vector<JournalSize>& bookJournals) {
    const std::string file = "--optimise «" + QuotedForMessage(path) + "»: ";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UsageError(file + "файл не открывается");
    std::string text(kMaxOptimiseTaskBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw UsageError(file + "файл не читается");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxOptimiseTaskBytes)
        throw UsageError(file + "файл больше " + std::to_string(kMaxOptimiseTaskBytes / 1024) + " КиБ");
    try {
        return ParseOptimiseTask(text, supportCount, bookJournals);
    } catch (const UsageError& e) {
        throw UsageError(file + e.what());
    }
}

}  // namespace shaftline::cli
