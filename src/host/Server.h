// The designer's server: HTTP and the page's WebSocket on 127.0.0.1.
//
// Every request needs the token: in the query (the first page load), or in
// the cookie that page load sets. The WebSocket handshake also needs the
// page's own origin. Files are served only from the folders registered with
// serveFolder, each with its own rule of what it serves (of the application
// folder: the colour chart, the pictures and the script library); names
// starting with "." (ZOLT's own files in a project) are never served.
//
// One I/O thread accepts and answers every connection asynchronously, with
// a bound on open connections, a time limit on reading each request, and a
// pause before accepting again when the system is out of descriptors. An
// accepted page socket is handed to the window thread through waitForPage,
// which then reads and writes it directly: the page's messages never wait
// for the I/O thread. One page at a time: a second page is told so and
// closed.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include "page/BrowserPage.h"

namespace zolt {

struct ServerOptions {
    std::filesystem::path appFolder;
    unsigned short port = 0;  // 0: chosen by the system
    std::string token;
    std::string pageTemplate;  // the designer page before its placeholders are filled
    // Connections open at once; more wait in the system's queue.
    int maxConnections = 4096;
    // Time to send a whole request (also between requests of one connection).
    std::chrono::milliseconds requestTimeout{15000};
};

// Which files below a served folder may be served, by the URL path's
// decoded segments.
using ServedFiles = std::function<bool(const std::vector<std::string>& segments)>;

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

    // Serves the files of `folder` under the URL prefix ("/project/"); all
    // of them when `served` is null.
    void serveFolder(const std::string& prefix, const std::filesystem::path& folder, ServedFiles served = nullptr);

    // Connections open now (for tests).
    int openConnections() const;
    // Accepts that failed since the start (for tests: out of descriptors,
    // the server tries again only after a pause).
    long failedAccepts() const { return failedAccepts_; }

private:
    class HttpSession;
    struct Folder {
        std::filesystem::path path;
        ServedFiles served;
    };

    void accept();
    void sessionEnded();
    void pageConnected(std::unique_ptr<PageSocket> socket);
    // The file a request path names, if it is served.
    std::optional<std::filesystem::path> fileFor(const std::string& path, bool& refused);

    ServerOptions options_;
    boost::asio::io_context ioc_{1};
    boost::asio::ip::tcp::acceptor acceptor_;
    boost::asio::steady_timer acceptPause_;
    unsigned short port_ = 0;
    std::string page_;  // the prepared page
    std::thread ioThread_;

    // Used on the I/O thread only.
    int connections_ = 0;
    bool accepting_ = false;
    std::atomic<int> openConnections_{0};
    std::atomic<long> failedAccepts_{0};
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;  // guards everything below
    std::condition_variable pageArrived_;
    std::deque<std::unique_ptr<PageSocket>> pending_;
    bool pageActive_ = false;
    std::map<std::string, Folder> folders_;
};

// What the designer page loads from the application folder: the colour
// chart, the pictures of Images/ and the static script library. Names are
// compared without regard to case, as files are found.
bool isServedApplicationFile(const std::vector<std::string>& segments);

}  // namespace zolt
