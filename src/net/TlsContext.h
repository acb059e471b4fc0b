#pragma once
#include <memory>
#include <string>

struct ssl_ctx_st;
struct ssl_st;

// The client settings every TLS connection of the process shares, one set
// per extra CA file: TLS 1.2 and 1.3 only, the system's trust store plus the
// file, peer verification on. It keeps each host's last session so the next
// connection to it resumes instead of doing the full handshake.
class TTlsContext {
public:
    // The context for `caFile` (empty: the system's trust store only), made on
    // first use; null with `failure` set when the file cannot be read.
    static std::shared_ptr<TTlsContext> For(const std::string& caFile, std::string& failure);

    ~TTlsContext();
    TTlsContext(const TTlsContext&) = delete;
    TTlsContext& operator=(const TTlsContext&) = delete;

    // A connection for `host` (a name or an IPv4 address), checked against
    // that name, resuming the session kept under `sessionKey`; the new one is
    // kept under it too, so the key must outlive the connection.
    ssl_st* NewConnection(const std::string& host, const std::string& sessionKey);

private:
    TTlsContext() = default;
    struct Sessions;
    ssl_ctx_st* FCtx = nullptr;
    std::unique_ptr<Sessions> FSessions;
};
