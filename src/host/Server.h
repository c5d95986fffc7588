// The designer's server: HTTP and the page's WebSocket on 127.0.0.1.
//
// Every request needs the token: in the query (the first page load), or in
// the cookie that page load sets. The WebSocket handshake also needs the
// page's own origin. Files are served only from the folders registered with
// serveFolder (the application folder under /app/). Requests are answered on
// threads of their own; an accepted page socket is handed to the window
// thread through waitForPage. One page at a time: a second page is told so
// and closed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include "page/BrowserPage.h"

namespace zolt {

struct ServerOptions {
    std::filesystem::path appFolder;
    unsigned short port = 0;  // 0: chosen by the system
    std::string token;
    std::string pageTemplate;  // the designer page before its placeholders are filled
};

class Server {
public:
    explicit Server(ServerOptions options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    unsigned short port() const { return port_; }
    std::string origin() const;
    std::string url() const;  // the page's URL with the token
    const std::string& token() const { return options_.token; }

    void start();

    // The next page that connected, or null when `timeout` passed first
    // (no timeout: waits for ever).
    std::unique_ptr<PageSocket> waitForPage(std::optional<std::chrono::milliseconds> timeout);
    // The window thread is done with the page: the next one may connect.
    void pageEnded();

    // Serves the files of `folder` under the URL prefix ("/project/").
    void serveFolder(const std::string& prefix, const std::filesystem::path& folder);

private:
    void acceptLoop();
    void session(boost::asio::ip::tcp::socket socket);

    ServerOptions options_;
    boost::asio::io_context ioc_;
    boost::asio::ip::tcp::acceptor acceptor_;
    unsigned short port_ = 0;
    std::string page_;  // the prepared page
    std::thread acceptThread_;

    std::mutex mutex_;  // guards everything below
    std::condition_variable pageArrived_;
    std::deque<std::unique_ptr<PageSocket>> pending_;
    bool pageActive_ = false;
    std::map<std::string, std::filesystem::path> folders_;
};

}  // namespace zolt
