#pragma once

#include <QByteArray>
#include <functional>
#include <string>

namespace shaftline::report {

/// Writes the PDF that `paint` makes to `path` under the rule of every output (the target is
/// checked before the pages are painted, which takes long). Returns nothing when it was
/// written, otherwise "<title> «path» не записан: reason."; an existing file is then left as it
/// was. `whose` names the document in the target check's messages ("отчета"); `notPainted` is
/// the reason when `paint` gives nothing.
std::string WritePdfFile(const std::string& path, const std::string& title, const char* whose,
                         const std::string& notPainted, const std::function<QByteArray()>& paint);

}  // namespace shaftline::report
