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

// The page's socket: one text message at a time, both ways.
class BeastSocket : public PageSocket {
public:
    explicit BeastSocket(websocket::stream<tcp::socket> ws) : ws_(std::move(ws)) { ws_.text(true); }

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
    websocket::stream<tcp::socket> ws_;
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

}  // namespace

Server::Server(ServerOptions options) : options_(std::move(options)), acceptor_(ioc_) {
    tcp::endpoint endpoint(asio::ip::make_address("127.0.0.1"), options_.port);
    acceptor_.open(endpoint.protocol());
    acceptor_.set_option(tcp::acceptor::reuse_address(true));
    acceptor_.bind(endpoint);
    acceptor_.listen();
    port_ = acceptor_.local_endpoint().port();
    page_ = preparePage(options_.pageTemplate, origin());
    folders_[std::string(kAppUrlPrefix)] = options_.appFolder;
}

Server::~Server() {
    beast::error_code ec;
    acceptor_.close(ec);
    if (acceptThread_.joinable()) acceptThread_.detach();
}

std::string Server::origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::string Server::url() const { return origin() + "/?token=" + options_.token; }

void Server::start() {
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

void Server::acceptLoop() {
    for (;;) {
        beast::error_code ec;
        tcp::socket socket(ioc_);
        acceptor_.accept(socket, ec);
        if (ec) {
            if (!acceptor_.is_open()) return;
            continue;
        }
        std::thread([this, s = std::move(socket)]() mutable { session(std::move(s)); }).detach();
    }
}

void Server::serveFolder(const std::string& prefix, const std::filesystem::path& folder) {
    std::lock_guard lock(mutex_);
    folders_[prefix] = folder;
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

void Server::session(tcp::socket socket) {
    beast::error_code ec;
    socket.set_option(tcp::no_delay(true), ec);
    beast::flat_buffer buffer;
    const std::string port = std::to_string(port_);
    const std::string cookieName = "zolt_token_" + port;

    for (;;) {
        Request req;
        http::read(socket, buffer, req, ec);
        if (ec) return;

        const std::string target(req.target());
        const auto q = target.find('?');
        const std::string path = target.substr(0, q);
        const std::string query = q == std::string::npos ? "" : target.substr(q + 1);

        // The Host header names this server: a page of another site that
        // resolves its own name to 127.0.0.1 gets nothing.
        const std::string host(req[http::field::host]);
        const bool hostOk = host == "127.0.0.1:" + port || host == "localhost:" + port;
        auto given = queryParameter(query, "token");
        const bool queryToken = given && sameToken(*given, options_.token);
        const std::string cookieHeader(req[http::field::cookie]);
        auto cookie = cookieValue(cookieHeader, cookieName);
        const bool tokenOk = hostOk && (queryToken || (cookie && sameToken(*cookie, options_.token)));

        if (websocket::is_upgrade(req)) {
            const std::string origin(req[http::field::origin]);
            const bool originOk = origin == "http://127.0.0.1:" + port || origin == "http://localhost:" + port;
            if (path != "/ws" || !tokenOk || !originOk) {
                http::write(socket, textResponse(req, http::status::forbidden, "Forbidden\n"), ec);
                return;
            }
            websocket::stream<tcp::socket> ws(std::move(socket));
            ws.accept(req, ec);
            if (ec) return;
            std::unique_lock lock(mutex_);
            if (pageActive_) {
                lock.unlock();
                ws.text(true);
                nlohmann::json refusal = {{"t", "refused"}, {"text", kSecondPageText}};
                ws.write(asio::buffer(refusal.dump()), ec);
                // No closing handshake: the page has its answer.
                ws.next_layer().shutdown(tcp::socket::shutdown_both, ec);
                ws.next_layer().close(ec);
                return;
            }
            pageActive_ = true;
            pending_.push_back(std::make_unique<BeastSocket>(std::move(ws)));
            pageArrived_.notify_all();
            return;
        }

        Response res;
        if (!tokenOk) {
            res = textResponse(req, http::status::forbidden, "Forbidden: this address needs the token ZOLT printed.\n");
        } else if (req.method() != http::verb::get) {
            res = textResponse(req, http::status::method_not_allowed, "Method not allowed\n");
        } else if (path == "/") {
            res = textResponse(req, http::status::ok, page_);
            res.set(http::field::content_type, "text/html; charset=utf-8");
            res.set("Referrer-Policy", "no-referrer");
            if (queryToken) {
                res.set(http::field::set_cookie,
                        cookieName + "=" + options_.token + "; Path=/; HttpOnly; SameSite=Strict");
            }
        } else {
            std::optional<std::filesystem::path> file;
            bool unsafe = false;
            {
                std::lock_guard lock(mutex_);
                for (const auto& [prefix, folder] : folders_) {
                    if (path.compare(0, prefix.size(), prefix) == 0) {
                        std::string_view tail = std::string_view(path).substr(prefix.size());
                        unsafe = !safeSegments(tail);
                        if (!unsafe) file = resolveStaticFile(folder, tail);
                        break;
                    }
                }
            }
            auto body = file ? readWholeFile(*file) : std::nullopt;
            if (unsafe) {
                res = textResponse(req, http::status::forbidden, "Forbidden: the path leaves the served folder.\n");
            } else if (body) {
                res = textResponse(req, http::status::ok, std::move(*body));
                res.set(http::field::content_type, contentTypeFor(*file));
            } else {
                res = textResponse(req, http::status::not_found, "Not found\n");
            }
        }
        res.set("X-Content-Type-Options", "nosniff");
        http::write(socket, res, ec);
        if (ec || !res.keep_alive()) break;
    }
    socket.shutdown(tcp::socket::shutdown_send, ec);
}

}  // namespace zolt
