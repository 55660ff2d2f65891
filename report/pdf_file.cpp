#include "pdf_file.h"

#include <new>
#include <string_view>

#include "output_file.h"

namespace shaftline::report {

std::string WritePdfFile(const std::string& path, const std::string& title, const char* whose,
                         const std::string& notPainted, const std::function<QByteArray()>& paint) {
    const auto refusal = [&](const std::string& reason) {
        return title + " «" + io::QuotedPathForMessage(path) + "» не записан: " + reason + ".";
    };
    try {
        io::ReplacingFile file(path, whose);
        const QByteArray pdf = paint();
        if (pdf.isEmpty()) return refusal(notPainted);
        file.Write(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        file.Commit();
    } catch (const io::OutputRefusal& e) {
        return refusal(e.what());
    } catch (const std::bad_alloc&) {
        return refusal("не хватает памяти");
    }
    return {};
}

}  // namespace shaftline::report
