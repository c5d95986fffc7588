// The designer under a flood: the page's round trips (host -> page
// operations) and a picture's load, first on a quiet server, then while
// 2,000 connections stay open without a word and 200 send garbage over and
// over. Target: round trips stay under 10 ms.
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <boost/asio/write.hpp>

#include "../tests/unit/fake_page.h"
#include "host/Server.h"
#include "host/StaticFiles.h"
#include "page/BrowserPage.h"

using namespace zolt;
using namespace zolt::testing;
namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRoundTrips = 2000;
constexpr int kIdle = 2000;
constexpr int kGarbage = 200;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %6.3f ms  p99 %6.3f ms  max %7.3f ms\n", what, ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], ms.back());
}

void measure(const char* label, BrowserPage& page, unsigned short port, const std::string& token) {
    std::vector<double> trips, loads;
    for (int i = 0; i < kRoundTrips; ++i) {
        auto t0 = Clock::now();
        page.getVariable("v");
        trips.push_back(msSince(t0));
        if (i % 100 == 0) {
            auto t1 = Clock::now();
            if (getWithToken(port, token, "/app/Images/closebutton.jpg") != 200) std::printf("  a picture failed\n");
            loads.push_back(msSince(t1));
        }
    }
    std::printf("%s\n", label);
    report("  host -> page round trip:", trips);
    report("  picture load (a new connection):", loads);
}

}  // namespace

int main() {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);

    const std::string token = makeToken();
    Server server({std::filesystem::path(ZOLT_SOURCE_DIR) / "installed", 0, token, "<html></html>"});
    server.start();
    const unsigned short port = server.port();
    std::thread pageThread(answeringPage, port, token);
    BrowserPage page(server.waitForPage(std::nullopt), [](const std::string&, const nlohmann::json&) { return true; });

    measure("quiet server", page, port, token);

    asio::io_context ioc;
    std::vector<tcp::socket> idle;
    for (int i = 0; i < kIdle; ++i) idle.push_back(connectTo(ioc, port));
    std::atomic<bool> flooding{true};
    std::atomic<long> garbageSent{0};
    std::thread garbage([&] {
        asio::io_context gioc;
        std::vector<tcp::socket> senders;
        for (int i = 0; i < kGarbage; ++i) senders.push_back(connectTo(gioc, port));
        const std::string junk = "\x16\x03\x01\x02\x00 not HTTP at all \r\n\r\n";
        while (flooding) {
            for (tcp::socket& s : senders) {
                boost::system::error_code ec;
                asio::write(s, asio::buffer(junk), ec);
                if (ec) s = connectTo(gioc, port);  // closed by the server: knock again
                ++garbageSent;
            }
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::printf("%d idle connections open, %d sending garbage (server holds %d)\n", kIdle, kGarbage,
                server.openConnections());
    measure("flooded server", page, port, token);
    flooding = false;
    garbage.join();
    std::printf("garbage messages sent meanwhile: %ld\n", garbageSent.load());

    page.close();
    pageThread.join();
    std::fflush(stdout);
    std::_Exit(0);
}
