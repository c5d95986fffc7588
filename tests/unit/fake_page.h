// A stand-in designer page and plain HTTP requests, for the server's tests and benchmarks.
#pragma once

#include <string>

#include <boost/asio/connect.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <nlohmann/json.hpp>

namespace zolt::testing {

inline boost::asio::ip::tcp::socket connectTo(boost::asio::io_context& ioc, unsigned short port) {
    boost::asio::ip::tcp::socket s(ioc);
    s.connect({boost::asio::ip::make_address("127.0.0.1"), port});
    return s;
}

// A GET with the token; the status, or 0 when the connection ended first.
inline int getWithToken(unsigned short port, const std::string& token, const std::string& path) {
    namespace http = boost::beast::http;
    boost::asio::io_context ioc;
    boost::beast::tcp_stream stream(connectTo(ioc, port));
    http::request<http::empty_body> req{http::verb::get, path + "?token=" + token, 11};
    req.set(http::field::host, "127.0.0.1:" + std::to_string(port));
    boost::beast::error_code ec;
    http::write(stream, req, ec);
    boost::beast::flat_buffer buffer;
    http::response<http::string_body> res;
    http::read(stream, buffer, res, ec);
    return ec ? 0 : res.result_int();
}

// A page that answers every operation with its first argument, until the host closes the connection.
inline void answeringPage(unsigned short port, const std::string& token) {
    namespace websocket = boost::beast::websocket;
    using nlohmann::json;
    boost::asio::io_context ioc;
    websocket::stream<boost::asio::ip::tcp::socket> ws(connectTo(ioc, port));
    ws.next_layer().set_option(boost::asio::ip::tcp::no_delay(true));
    const std::string origin = "http://127.0.0.1:" + std::to_string(port);
    ws.set_option(websocket::stream_base::decorator(
        [&](websocket::request_type& req) { req.set(boost::beast::http::field::origin, origin); }));
    ws.handshake("127.0.0.1:" + std::to_string(port), "/ws?token=" + token);
    ws.text(true);
    boost::beast::flat_buffer buffer;
    boost::beast::error_code ec;
    for (;;) {
        buffer.clear();
        ws.read(buffer, ec);
        if (ec) return;
        json m = json::parse(boost::beast::buffers_to_string(buffer.data()));
        ws.write(boost::asio::buffer(json({{"t", "ret"}, {"id", m["id"]}, {"value", m["args"][0]}}).dump()), ec);
        if (ec) return;
    }
}

}  // namespace zolt::testing
