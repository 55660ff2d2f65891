#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace shaftline::io {

/// Gets the name and content of a member chosen for rewriting; returns its new content.
using ZipMemberRewrite =
    std::function<std::string(std::string_view name, std::string_view content)>;
/// Tells by its name whether a member is to be rewritten.
using ZipMemberChoice = std::function<bool(std::string_view name)>;

/// The zip archive `archive` (one this program's book writer has just made: stored or deflated
/// members, no ZIP64) with the members `chosen` rewritten by `rewrite`, in their order, the
/// others copied unchanged. Throws OutputRefusal when the archive is not such a one.
std::string RewriteZipMembers(std::string_view archive, const ZipMemberChoice& chosen,
                              const ZipMemberRewrite& rewrite);

}  // namespace shaftline::io
