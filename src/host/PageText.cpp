#include "host/PageText.h"

#include <chrono>
#include <ctime>
#include <locale>
#include <sstream>
#include <iomanip>
#include <system_error>

#include <nlohmann/json.hpp>

namespace zolt {

namespace {

void replaceAll(std::string& text, std::string_view from, const std::string& to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
}

}  // namespace

std::string preparePage(std::string_view pageText, const std::string& origin) {
    const std::string appUrl = origin + std::string(kAppUrlPrefix.substr(0, kAppUrlPrefix.size() - 1));
    std::string page(pageText);
    replaceAll(page, "<replace1>", nlohmann::json(appUrl).dump() + ";");
    replaceAll(page, "<replace2>", appUrl + "/ColorChart.js");
    replaceAll(page, "<x_Velkora_Version_x>", "V1.01");
    replaceAll(page, "<replace3>", "url(" + appUrl + "/Images/comp_logo.jpg);");
    return page;
}

std::string mainCaption(const std::string& versionText, const std::filesystem::path& executable) {
    std::string date;
    std::error_code ec;
    auto written = std::filesystem::last_write_time(executable, ec);
    if (!ec) {
        auto system = std::chrono::file_clock::to_sys(written);
        std::time_t t = std::chrono::system_clock::to_time_t(system);
        std::tm local{};
        localtime_r(&t, &local);
        std::ostringstream out;
        try {
            out.imbue(std::locale(""));
        } catch (const std::runtime_error&) {
            // An unknown locale in the environment: the classic form.
        }
        out << std::put_time(&local, "%x");
        date = out.str();
    }
    return "Velkora  " + versionText + "   Last Updated: " + date;
}

}  // namespace zolt
