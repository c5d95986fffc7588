#include "host/Server.h"

#include <boost/asio/ip/address.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "host/PageText.h"
#include "host/StaticFiles.h"

namespace zolt {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

namespace {

constexpr const char* kSecondPageText =
    "ZOLT is already open in another window. Only one designer window can be open at a time: "
    "go on working there, or close it and reload this one.";

// Time for a page to complete its WebSocket handshake.
constexpr std::chrono::seconds kHandshakeTimeout{10};
// Pause before accepting again when the system has no descriptor to spare.
constexpr std::chrono::milliseconds kAcceptPause{100};

using PageStream = websocket::stream<tcp::socket>;

// The page's socket, used by the window thread alone once handed over: one
// text message at a time, both ways, read and written directly.
class BeastSocket : public PageSocket {
public:
    explicit BeastSocket(PageStream ws) : ws_(std::move(ws)) { ws_.text(true); }

    std::string read() override {
        buffer_.clear();
        beast::error_code ec;
        ws_.read(buffer_, ec);
        if (ec) throw ConnectionLost("the designer page closed its connection (" + ec.message() + ")");
        return beast::buffers_to_string(buffer_.data());
    }

    void write(const std::string& message) override {
        beast::error_code ec;
        ws_.write(asio::buffer(message), ec);
        if (ec) throw ConnectionLost("the designer page closed its connection (" + ec.message() + ")");
    }

    void close() override {
        // Not the closing handshake: a page that does not answer must not
        // keep the window thread waiting.
        beast::error_code ec;
        ws_.next_layer().shutdown(tcp::socket::shutdown_both, ec);
        ws_.next_layer().close(ec);
    }

private:
    PageStream ws_;
    beast::flat_buffer buffer_;
};

using Request = http::request<http::string_body>;
using Response = http::response<http::string_body>;

Response textResponse(const Request& req, http::status status, std::string body) {
    Response res{status, req.version()};
    res.set(http::field::content_type, "text/plain; charset=utf-8");
    res.set(http::field::cache_control, "no-store");
    res.keep_alive(req.keep_alive());
    res.body() = std::move(body);
    res.prepare_payload();
    return res;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool sameNoCase(const std::string& a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool outOfDescriptors(const beast::error_code& ec) {
    return ec == asio::error::no_descriptors || ec == asio::error::no_buffer_space || ec == asio::error::no_memory ||
           ec.value() == ENFILE;
}

}  // namespace

bool isServedApplicationFile(const std::vector<std::string>& s) {
    if (s.size() == 1) return sameNoCase(s[0], "ColorChart.js");
    if (s.size() == 2 && sameNoCase(s[0], "Temp")) return sameNoCase(s[1], "ZOLTJSStatic.js");
    return s.size() == 2 && sameNoCase(s[0], "Images");
}

// One HTTP connection: requests read and answered one after another, each to
// be sent within the time limit. A WebSocket upgrade of the page leaves it.
class Server::HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(Server& server, tcp::socket socket) : server_(server), stream_(std::move(socket)) {}
    ~HttpSession() { server_.sessionEnded(); }

    void read() {
        request_ = {};
        stream_.expires_after(server_.options_.requestTimeout);
        http::async_read(stream_, buffer_, request_,
                         [self = shared_from_this()](beast::error_code ec, std::size_t) { self->onRead(ec); });
    }

private:
    void onRead(beast::error_code ec) {
        if (ec) return close();  // the time ran out, the peer left, or it sent no HTTP
        const Request& req = request_;
        const std::string target(req.target());
        const auto q = target.find('?');
        const std::string path = target.substr(0, q);
        const std::string query = q == std::string::npos ? "" : target.substr(q + 1);
        const std::string port = std::to_string(server_.port_);
        const std::string cookieName = "zolt_token_" + port;

        // The Host header names this server: a page of another site that
        // resolves its own name to 127.0.0.1 gets nothing.
        const std::string host(req[http::field::host]);
        const bool hostOk = host == "127.0.0.1:" + port || host == "localhost:" + port;
        auto given = queryParameter(query, "token");
        const bool queryToken = given && sameToken(*given, server_.options_.token);
        auto cookie = cookieValue(std::string(req[http::field::cookie]), cookieName);
        const bool tokenOk = hostOk && (queryToken || (cookie && sameToken(*cookie, server_.options_.token)));

        if (websocket::is_upgrade(req)) {
            const std::string origin(req[http::field::origin]);
            const bool originOk = origin == "http://127.0.0.1:" + port || origin == "http://localhost:" + port;
            if (path != "/ws" || !tokenOk || !originOk) {
                return respond(textResponse(req, http::status::forbidden, "Forbidden\n"), false);
            }
            return upgrade();
        }

        Response res;
        if (!tokenOk) {
            res = textResponse(req, http::status::forbidden, "Forbidden: this address needs the token ZOLT printed.\n");
        } else if (req.method() != http::verb::get) {
            res = textResponse(req, http::status::method_not_allowed, "Method not allowed\n");
        } else if (path == "/") {
            res = textResponse(req, http::status::ok, server_.page_);
            res.set(http::field::content_type, "text/html; charset=utf-8");
            res.set("Referrer-Policy", "no-referrer");
            if (queryToken) {
                res.set(http::field::set_cookie,
                        cookieName + "=" + server_.options_.token + "; Path=/; HttpOnly; SameSite=Strict");
            }
        } else {
            bool refused = false;
            auto file = server_.fileFor(path, refused);
            auto body = file ? readWholeFile(*file) : std::nullopt;
            if (refused) {
                res = textResponse(req, http::status::forbidden, "Forbidden: the path leaves the served folder.\n");
            } else if (body) {
                res = textResponse(req, http::status::ok, std::move(*body));
                res.set(http::field::content_type, contentTypeFor(*file));
            } else {
                res = textResponse(req, http::status::not_found, "Not found\n");
            }
        }
        res.set("X-Content-Type-Options", "nosniff");
        const bool keepAlive = res.keep_alive();
        respond(std::move(res), keepAlive);
    }

    void respond(Response res, bool keepAlive) {
        response_ = std::move(res);
        response_.keep_alive(keepAlive);
        http::async_write(stream_, response_, [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
            if (ec || !keepAlive) return self->close();
            self->read();
        });
    }

    void upgrade() {
        stream_.expires_never();
        auto ws = std::make_shared<PageStream>(stream_.release_socket());
        ws->set_option(websocket::stream_base::timeout{kHandshakeTimeout, websocket::stream_base::none(), false});
        // The session (and its request) lives until the handshake is done.
        ws->async_accept(request_, [ws, self = shared_from_this()](beast::error_code ec) {
            if (ec) return;
            ws->set_option(websocket::stream_base::timeout{websocket::stream_base::none(),
                                                           websocket::stream_base::none(), false});
            self->server_.pageConnected(std::make_unique<BeastSocket>(std::move(*ws)));
        });
    }

    void close() {
        beast::error_code ec;
        stream_.socket().shutdown(tcp::socket::shutdown_send, ec);
    }

    Server& server_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_;
    Request request_;
    Response response_;
};

Server::Server(ServerOptions options) : options_(std::move(options)), acceptor_(ioc_), acceptPause_(ioc_) {
    tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), options_.port);
    acceptor_.open(endpoint.protocol());
    acceptor_.set_option(tcp::acceptor::reuse_address(true));
    acceptor_.bind(endpoint);
    acceptor_.listen(asio::socket_base::max_listen_connections);
    port_ = acceptor_.local_endpoint().port();
    page_ = preparePage(options_.pageTemplate, origin());
    folders_[std::string(kAppUrlPrefix)] = {options_.appFolder, isServedApplicationFile};
}

Server::~Server() {
    asio::post(ioc_, [this] {
        beast::error_code ec;
        acceptor_.close(ec);
        acceptPause_.cancel();
    });
    ioc_.stop();
    if (ioThread_.joinable()) ioThread_.join();
    // Sessions still waiting are destroyed with the I/O context, after the
    // acceptor: they must not accept again.
    stopping_ = true;
}

std::string Server::origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::string Server::url() const { return origin() + "/?token=" + options_.token; }

void Server::start() {
    asio::post(ioc_, [this] { accept(); });
    ioThread_ = std::thread([this] { ioc_.run(); });
}

void Server::accept() {
    if (connections_ >= options_.maxConnections) {
        accepting_ = false;  // sessionEnded accepts again
        return;
    }
    accepting_ = true;
    acceptor_.async_accept([this](beast::error_code ec, tcp::socket socket) {
        if (ec) {
            if (ec == asio::error::operation_aborted || !acceptor_.is_open()) return;
            ++failedAccepts_;
            if (outOfDescriptors(ec)) {
                // The connection waits in the system's queue: try again in a
                // moment rather than at once, over and over.
                acceptPause_.expires_after(kAcceptPause);
                acceptPause_.async_wait([this](beast::error_code e) {
                    if (!e) accept();
                });
                return;
            }
            return accept();
        }
        ++connections_;
        ++openConnections_;
        beast::error_code ignored;
        socket.set_option(tcp::no_delay(true), ignored);
        std::make_shared<HttpSession>(*this, std::move(socket))->read();
        accept();
    });
}

void Server::sessionEnded() {
    if (stopping_) return;
    --connections_;
    --openConnections_;
    if (!accepting_ && acceptor_.is_open()) accept();
}

int Server::openConnections() const { return openConnections_; }

void Server::pageConnected(std::unique_ptr<PageSocket> socket) {
    std::unique_lock lock(mutex_);
    if (pageActive_) {
        lock.unlock();
        // A second page: it gets its answer, then the connection ends. The
        // socket is still this thread's alone, so it is written directly.
        nlohmann::json refusal = {{"t", "refused"}, {"text", kSecondPageText}};
        try {
            socket->write(refusal.dump());
        } catch (const ConnectionLost&) {
        }
        socket->close();
        return;
    }
    pageActive_ = true;
    pending_.push_back(std::move(socket));
    pageArrived_.notify_all();
}

void Server::serveFolder(const std::string& prefix, const std::filesystem::path& folder, ServedFiles served) {
    std::lock_guard lock(mutex_);
    folders_[prefix] = {folder, std::move(served)};
}

std::optional<std::filesystem::path> Server::fileFor(const std::string& path, bool& refused) {
    std::lock_guard lock(mutex_);
    for (const auto& [prefix, folder] : folders_) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string_view tail = std::string_view(path).substr(prefix.size());
        auto segments = safeSegments(tail);
        refused = !segments;
        if (!segments) return std::nullopt;
        // ZOLT's own files (lock, journal, temporaries, recovery copy).
        for (const std::string& s : *segments) {
            if (s.front() == '.') return std::nullopt;
        }
        if (folder.served && !folder.served(*segments)) return std::nullopt;
        return resolveStaticFile(folder.path, tail);
    }
    return std::nullopt;
}

std::unique_ptr<PageSocket> Server::waitForPage(std::optional<std::chrono::milliseconds> timeout) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return !pending_.empty(); };
    if (timeout) {
        if (!pageArrived_.wait_for(lock, *timeout, ready)) return nullptr;
    } else {
        pageArrived_.wait(lock, ready);
    }
    auto socket = std::move(pending_.front());
    pending_.pop_front();
    return socket;
}

void Server::pageEnded() {
    std::lock_guard lock(mutex_);
    pageActive_ = false;
}

}  // namespace zolt
