#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace shaftline::io {

/// Gets a member's name and content; returns its new content, or nothing to keep it as it is.
using ZipMemberRewrite =
    std::function<std::optional<std::string>(std::string_view name, std::string_view content)>;

/// The zip archive `archive` (one this program's book writer has just made: stored or deflated
/// members, no ZIP64) with members rewritten by `rewrite`, in their order, the others copied
/// unchanged. Throws OutputRefusal when the archive is not such a one.
std::string RewriteZipMembers(std::string_view archive, const ZipMemberRewrite& rewrite);

}  // namespace shaftline::io
