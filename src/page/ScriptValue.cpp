// Conversions of page script values, following the script language's own
// rules: booleans as True/False, whole numbers without a fraction.
#include "page/Page.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zolt {

std::string toText(const ScriptValue& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (auto d = std::get_if<double>(&v)) {
        if (std::isfinite(*d) && std::floor(*d) == *d && std::fabs(*d) < 1e15) {
            return std::to_string(static_cast<long long>(*d));
        }
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *d);
        return buf;
    }
    return "";
}

double toNumber(const ScriptValue& v) {
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;  // script True is -1
    if (auto s = std::get_if<std::string>(&v)) {
        const char* begin = s->c_str();
        char* end = nullptr;
        double d = std::strtod(begin, &end);
        return end == begin ? 0 : d;
    }
    return 0;
}

bool toBool(const ScriptValue& v) {
    if (auto b = std::get_if<bool>(&v)) return *b;
    if (auto d = std::get_if<double>(&v)) return *d != 0;
    if (auto s = std::get_if<std::string>(&v)) {
        if (*s == "True" || *s == "true" || *s == "TRUE") return true;
        if (s->empty() || *s == "False" || *s == "false" || *s == "FALSE") return false;
        return toNumber(v) != 0;
    }
    return std::holds_alternative<Element>(v) && static_cast<bool>(std::get<Element>(v));
}

Element toElement(const ScriptValue& v) {
    if (auto e = std::get_if<Element>(&v)) return *e;
    return {};
}

}  // namespace zolt
