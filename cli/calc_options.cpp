#include "calc_options.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "message_text.h"
#include "number_text.h"
#include "output_file.h"
#include "shaft_line.h"

namespace shaftline::cli {

namespace {

std::string Quoted(const std::string& text) {
    return "«" + QuotedForMessage(text) + "»";
}

// Lines up the descriptions of the help by characters: the parser's own formatter counts
// bytes, which puts the Cyrillic names out of line.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_option(const CLI::Option* opt, bool isPositional) const override {
        std::string line = "  " + make_option_name(opt, isPositional) + make_option_opts(opt);
        const std::size_t characters = CharacterCount(line);
        line += characters < get_column_width() ? std::string(get_column_width() - characters, ' ')
                                                : "\n" + std::string(get_column_width(), ' ');
        return line + make_option_desc(opt) + "\n";
    }
};

// How often an option stands in the arguments, alone or as "--name=value".
int Occurrences(const std::vector<std::string>& args, const std::string& name) {
    int count = 0;
    for (const std::string& a : args) count += a == name || a.starts_with(name + "=") ? 1 : 0;
    return count;
}

// The parser words its errors in English; the calculator says the same in Russian. The parser
// begins the messages about one option with that option's name.
std::string RussianParseError(const CLI::ParseError& e, const CLI::App& app,
                              const std::vector<std::string>& args) {
    const std::string what = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
        std::string text;
        for (const std::string& extra : app.remaining()) {
            if (!text.empty()) text += "; ";
            text += extra.starts_with("-")
                        ? "неизвестный параметр " + Quoted(extra)
                        : "лишний аргумент " + Quoted(extra) + " (указывается одна книга)";
        }
        return text.empty() ? std::string("лишние аргументы") : text;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr && what.starts_with("-")) {
        const std::string option = what.substr(0, what.find(':'));
        return Occurrences(args, option) > 1 ? option + " указан больше одного раза"
                                             : option + ": не указано значение";
    }
    for (const std::string flag : {"--json", "--help", "-h"}) {
        for (const std::string& a : args) {
            if (a.starts_with(flag + "=")) return flag + " не принимает значения";
        }
    }
    return "командная строка не разобрана";
}

}  // namespace

std::set<int> ParseRotorList(const std::string& list) {
    std::set<int> rotors;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        int number = 0;
        try {
            number = ParseInteger(item);
        } catch (const ConversionError&) {
            throw UsageError("--solid: " + Quoted(item) + " не является номером ротора");
        }
        if (number < 1 || number > kMaxRotors) {
            throw UsageError("--solid: номер ротора " + std::to_string(number) +
                             " вне диапазона 1.." + std::to_string(kMaxRotors));
        }
        rotors.insert(number);
    }
    if (rotors.empty()) {
        throw UsageError("--solid: список роторов пуст");
    }
    return rotors;
}

CalcOptions ParseCalcOptions(int argc, const char* const* argv) {
    CalcOptions options;
    std::string solid;
    std::string base;
    CLI::App app(
        "Расчёт валопровода по книге .xls, .xlsx или .ods без окон программы. Результаты "
        "выводятся текстом или в JSON (--json); по ключам записываются отчёт PDF (--report) и "
        "книга результатов .xlsx (--results).",
        "shaftline-calc");
    auto formatter = std::make_shared<HelpFormatter>();
    formatter->label("Usage", "Запуск");
    formatter->label("OPTIONS", "ПАРАМЕТРЫ");
    formatter->label("Positionals", "Аргументы");
    app.formatter(formatter);
    app.option_defaults()->group("Параметры");
    app.set_help_flag("-h,--help", "показать эту справку и выйти");
    auto* workbookOption =
        app.add_option("WORKBOOK", options.workbook,
                       "книга .xls, .xlsx или .ods с данными роторов, формат по содержимому "
                       "(по умолчанию Data.xls рядом с программой)")
            ->type_name("КНИГА");
    auto* solidOption =
        app.add_option(
               "--solid", solid,
               "цельнокованные роторы, номера через запятую (остальные — с насадными дисками); "
               "без него типы берутся из книги")
            ->type_name("СПИСОК");
    auto* baseOption = app.add_option("--base", base,
                                      "базовый ротор: выровнять валопровод по нему "
                                      "(без него — базовый ротор книги)")
                           ->type_name("Б");
    app.add_flag("--json", options.json,
                 "вывести результаты в JSON вместо текстового отчёта по роторам");
    std::string report;
    auto* reportOption =
        app.add_option("--report", report, "записать отчёт о расчёте (протокол) в файл PDF")
            ->type_name("PDF");
    std::string results;
    auto* resultsOption =
        app.add_option("--results", results,
                       "записать книгу результатов (сводка и лист на ротор) в файл .xlsx")
            ->type_name("XLSX");
    std::string fieldSheet;
    auto* fieldSheetOption =
        app.add_option("--field-sheet", fieldSheet, "записать формуляр центровки муфт в файл PDF")
            ->type_name("PDF");
    std::string alignment;
    auto* alignmentOption = app.add_option("--alignment", alignment,
                                           "данные центровки муфт (JSON) вместо записанных в книге")
                                ->type_name("JSON");
    std::string optimise;
    auto* optimiseOption =
        app.add_option("--optimise", optimise, "подобрать высоты опор по заданию из файла JSON")
            ->type_name("JSON");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        options.helpShown = true;
        return options;
    } catch (const CLI::ParseError& e) {
        throw UsageError(
            RussianParseError(e, app, std::vector<std::string>(argv + 1, argv + argc)));
    }
    if (workbookOption->count() > 0 && options.workbook.empty()) {
        throw UsageError(
            "путь к книге пуст; чтобы прочитать Data.xls рядом с программой, не указывайте книгу");
    }
    if (solidOption->count() > 0) {
        options.solidRotors = ParseRotorList(solid);
        options.solidGiven = true;
    }
    if (reportOption->count() > 0) {
        if (report.empty()) throw UsageError("--report: не задано имя файла отчета");
        options.reportPath = report;
    }
    if (resultsOption->count() > 0) {
        if (results.empty()) throw UsageError("--results: не задано имя файла книги результатов");
        options.resultsPath = results;
    }
    if (fieldSheetOption->count() > 0) {
        if (fieldSheet.empty()) throw UsageError("--field-sheet: не задано имя файла формуляра");
        options.fieldSheetPath = fieldSheet;
    }
    if (alignmentOption->count() > 0) {
        if (alignment.empty()) throw UsageError("--alignment: не задано имя файла");
        options.alignmentPath = alignment;
    }
    if (optimiseOption->count() > 0) {
        if (optimise.empty()) throw UsageError("--optimise: не задано имя файла задания");
        options.optimisePath = optimise;
    }
    if (baseOption->count() > 0) {
        try {
            options.baseRotor = ParseInteger(base);
        } catch (const ConversionError&) {
            throw UsageError("--base: " + Quoted(base) + " не является номером ротора");
        }
    }
    return options;
}

void CheckOutputsAgainstBook(const CalcOptions& options, const std::string& bookPath) {
    const std::optional<io::FileIdentity> book = io::IdentityOf(bookPath);
    const auto check = [&](const std::optional<std::string>& output, const char* option) {
        if (output && book && io::IdentityOf(*output) == book)
            throw UsageError(std::string(option) + ": «" + io::QuotedPathForMessage(*output) +
                             "» — это сама книга с данными; укажите для вывода другой файл");
    };
    check(options.resultsPath, "--results");
    check(options.reportPath, "--report");
    check(options.fieldSheetPath, "--field-sheet");
    if (options.resultsPath && options.reportPath) {
        const std::optional<io::FileIdentity> results = io::IdentityOf(*options.resultsPath);
        if (results && results == io::IdentityOf(*options.reportPath))
            throw UsageError("--report и --results указывают на один файл «" +
                             io::QuotedPathForMessage(*options.reportPath) +
                             "»; укажите для отчета и книги результатов разные файлы");
    }
    if (options.fieldSheetPath) {
        const std::optional<io::FileIdentity> sheet = io::IdentityOf(*options.fieldSheetPath);
        const auto other = [&](const std::optional<std::string>& output, const char* option) {
            if (sheet && output && sheet == io::IdentityOf(*output))
                throw UsageError(std::string("--field-sheet и ") + option +
                                 " указывают на один файл «" +
                                 io::QuotedPathForMessage(*options.fieldSheetPath) +
                                 "»; укажите для них разные файлы");
        };
        other(options.reportPath, "--report");
        other(options.resultsPath, "--results");
    }
}

void CheckOptionsAgainstRotorCount(const CalcOptions& options, int rotorCount) {
    const std::string inBook = ": в книге " + std::to_string(rotorCount) + " роторов";
    if (options.baseRotor && (*options.baseRotor < 1 || *options.baseRotor > rotorCount)) {
        throw UsageError("--base " + std::to_string(*options.baseRotor) + inBook);
    }
    for (int rotor : options.solidRotors) {
        if (rotor > rotorCount) {
            throw UsageError("--solid: ротора " + std::to_string(rotor) + " нет" + inBook);
        }
        if (rotor % 2 == 0) {
            throw UsageError("--solid: ротор " + std::to_string(rotor) +
                             " стоит на чётной позиции; промежуточный вал считается невесомым и "
                             "типа ротора не имеет");
        }
    }
}

}  // namespace shaftline::cli
