#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vox {

// The fields of a form as a browser posts it (application/x-www-form-urlencoded).
using FormFields = std::map<std::string, std::string>;

// Empty for a body that is not a form: a bad %-escape, a name given twice, more than kMaxFields
// fields, or a field without '='. '+' is a blank. Values may hold any byte but NUL.
inline constexpr std::size_t kMaxFormFields = 512;
std::optional<FormFields> parseFormBody(std::string_view body);

// The value of a cookie in a Cookie header ("a=1; vxsession=abc"); empty when it is not there.
std::string cookieValue(std::string_view header, std::string_view name);

}  // namespace vox
