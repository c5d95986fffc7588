// The bridge's own cost, without a browser: the real server and BrowserPage
// on one side, a minimal page (a WebSocket client that answers at once) on
// the other. Compare with bench/bridge_bench.js, which drives the real page
// in Chromium: the difference is the browser's share of a round trip.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <boost/asio/connect.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>
#include <nlohmann/json.hpp>

#include "host/Server.h"
#include "host/StaticFiles.h"
#include "page/BrowserPage.h"

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kCalls = 10000;

void report(const char* what, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    std::printf("%-42s median %7.1f us   p99 %7.1f us\n", what, micros[micros.size() / 2],
                micros[micros.size() * 99 / 100]);
}

// The stand-in page: answers every operation with "x"; then sends commands
// and times them.
void fakePage(unsigned short port, const std::string& token) {
    asio::io_context ioc;
    tcp::socket socket(ioc);
    socket.connect({asio::ip::make_address("127.0.0.1"), port});
    socket.set_option(tcp::no_delay(true));
    websocket::stream<tcp::socket> ws(std::move(socket));
    const std::string origin = "http://127.0.0.1:" + std::to_string(port);
    ws.set_option(websocket::stream_base::decorator(
        [&](websocket::request_type& req) { req.set(beast::http::field::origin, origin); }));
    ws.handshake("127.0.0.1:" + std::to_string(port), "/ws?token=" + token);
    ws.text(true);
    beast::flat_buffer buffer;
    for (;;) {
        buffer.clear();
        ws.read(buffer);
        json m = json::parse(beast::buffers_to_string(buffer.data()));
        if (m["name"] == "startCommands") break;  // the host's signal: now the commands
        ws.write(asio::buffer(json({{"t", "ret"}, {"id", m["id"]}, {"value", "x"}}).dump()));
    }
    std::vector<double> micros;
    for (int i = 0; i < kCalls; ++i) {
        auto t0 = Clock::now();
        ws.write(asio::buffer(json({{"t", "call"}, {"id", i + 1}, {"name", "command"}, {"args", {"noop"}}}).dump()));
        buffer.clear();
        ws.read(buffer);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    report("page -> host command round trip:", micros);
    beast::error_code ec;
    ws.next_layer().close(ec);
}

}  // namespace

int main() {
    const std::string token = zolt::makeToken();
    zolt::Server server({std::filesystem::temp_directory_path(), 0, token, "<html></html>"});
    server.start();
    std::thread page(fakePage, server.port(), token);

    zolt::BrowserPage browser(server.waitForPage(std::nullopt),
                              [](const std::string&, const json&) { return json(true); });
    std::vector<double> micros;
    for (int i = 0; i < kCalls; ++i) {
        auto t0 = Clock::now();
        browser.getVariable("zoltBenchValue");
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    report("host -> page operation round trip:", micros);

    auto t0 = Clock::now();
    for (int i = 0; i < 1000; ++i) browser.getVariable("zoltBenchValue");
    std::printf("%-42s %7.1f ms\n", "1,000 operations:",
                std::chrono::duration<double, std::milli>(Clock::now() - t0).count());

    try {
        // Not answered: the page sends its commands, which the host answers
        // while it waits, until the page closes the connection.
        browser.op("startCommands", {});
    } catch (const zolt::PageError&) {
    }
    page.join();
    std::fflush(stdout);
    std::_Exit(0);
}
