#include "calc_options.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <sstream>

#include "number_text.h"
#include "shaft_line.h"

namespace shaftline::cli {

std::set<int> ParseRotorList(const std::string& list) {
    std::set<int> rotors;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        int number = 0;
        try {
            number = ParseInteger(item);
        } catch (const ConversionError&) {
            throw UsageError("--solid: «" + item + "» не является номером ротора");
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
    CLI::App app("Расчёт валопровода по книге Excel без окон программы.", "shaftline-calc");
    app.add_option("WORKBOOK", options.workbook,
                   "книга .xls с данными роторов (по умолчанию Data.xls рядом с программой)");
    auto* solidOption = app.add_option(
        "--solid", solid,
        "цельнокованные роторы, номера через запятую (остальные — с насадными дисками)");
    auto* baseOption = app.add_option("--base", base, "базовый ротор: выровнять валопровод по нему")
                           ->type_name("INT");
    app.add_flag("--json", options.json, "вывести результаты в JSON");
    std::string report;
    auto* reportOption =
        app.add_option("--report", report, "записать отчет о расчете в файл PDF")->type_name("PDF");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        options.helpShown = true;
        return options;
    } catch (const CLI::ParseError& e) {
        throw UsageError(e.what());
    }
    if (solidOption->count() > 0) {
        options.solidRotors = ParseRotorList(solid);
    }
    if (reportOption->count() > 0) {
        if (report.empty()) throw UsageError("--report: не задано имя файла отчета");
        options.reportPath = report;
    }
    if (baseOption->count() > 0) {
        try {
            options.baseRotor = ParseInteger(base);
        } catch (const ConversionError&) {
            throw UsageError("--base: «" + base + "» не является номером ротора");
        }
    }
    return options;
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
