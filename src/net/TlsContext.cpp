#include "net/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <map>
#include <mutex>

struct TTlsContext::Sessions {
    std::mutex Lock;
    std::map<std::string, SSL_SESSION*> ByKey;
    ~Sessions()
    {
        for (auto& [key, session] : ByKey)
            SSL_SESSION_free(session);
    }
};

namespace {
int SessionKeyIndex()
{
    static const int index = SSL_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

bool IsIpv4(const std::string& host)
{
    in_addr addr{};
    return inet_pton(AF_INET, host.c_str(), &addr) == 1;
}
}

std::shared_ptr<TTlsContext> TTlsContext::For(const std::string& caFile, std::string& failure)
{
    static std::mutex lock;
    static std::map<std::string, std::shared_ptr<TTlsContext>> contexts;
    const std::lock_guard<std::mutex> guard(lock);
    if (auto found = contexts.find(caFile); found != contexts.end())
        return found->second;

    std::shared_ptr<TTlsContext> context(new TTlsContext);
    context->FSessions = std::make_unique<Sessions>();
    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    if (!ctx) {
        failure = "TLS set-up failed";
        return nullptr;
    }
    context->FCtx = ctx;
    SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
    SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_default_verify_paths(ctx);
    if (!caFile.empty() && SSL_CTX_load_verify_locations(ctx, caFile.c_str(), nullptr) != 1) {
        ERR_clear_error();
        failure = "cannot read the CA file " + caFile;
        return nullptr;
    }
    SSL_CTX_set_mode(ctx, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    // Sessions are kept here, per host, not in OpenSSL's server-side cache.
    SSL_CTX_set_session_cache_mode(ctx, SSL_SESS_CACHE_CLIENT | SSL_SESS_CACHE_NO_INTERNAL_STORE);
    SSL_CTX_set_app_data(ctx, context->FSessions.get());
    SSL_CTX_sess_set_new_cb(ctx, [](SSL* ssl, SSL_SESSION* session) {
        auto* sessions = static_cast<Sessions*>(SSL_CTX_get_app_data(SSL_get_SSL_CTX(ssl)));
        const auto* key = static_cast<const std::string*>(SSL_get_ex_data(ssl, SessionKeyIndex()));
        if (!sessions || !key)
            return 0;
        const std::lock_guard<std::mutex> guard(sessions->Lock);
        SSL_SESSION*& kept = sessions->ByKey[*key];
        if (kept)
            SSL_SESSION_free(kept);
        kept = session;
        return 1; // the reference is ours now
    });
    contexts.emplace(caFile, context);
    return context;
}

TTlsContext::~TTlsContext()
{
    SSL_CTX_free(FCtx);
}

SSL* TTlsContext::NewConnection(const std::string& host, const std::string& sessionKey)
{
    SSL* ssl = SSL_new(FCtx);
    if (!ssl)
        return nullptr;
    X509_VERIFY_PARAM* param = SSL_get0_param(ssl);
    X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    if (IsIpv4(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str());
    } else {
        SSL_set_tlsext_host_name(ssl, host.c_str());
        SSL_set1_host(ssl, host.c_str());
    }
    SSL_set_ex_data(ssl, SessionKeyIndex(), const_cast<std::string*>(&sessionKey));
    const std::lock_guard<std::mutex> guard(FSessions->Lock);
    if (auto kept = FSessions->ByKey.find(sessionKey); kept != FSessions->ByKey.end())
        SSL_set_session(ssl, kept->second);
    return ssl;
}
