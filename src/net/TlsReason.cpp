#include "net/TlsReason.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

std::string TlsCertificateReason(long verifyResult)
{
    switch (verifyResult) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return "certificate has expired";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return "certificate is not yet valid";
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return "self-signed certificate";
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return "unknown CA";
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return "host name mismatch";
    default:
        return std::string("certificate not trusted: ") + X509_verify_cert_error_string(verifyResult);
    }
}

std::string TlsFailureReason(unsigned long error, long verifyResult)
{
    if (ERR_GET_LIB(error) != ERR_LIB_SSL)
        return error == 0 ? "connection closed during the TLS handshake"
                          : std::string("TLS failure: ") + ERR_reason_error_string(error);
    switch (ERR_GET_REASON(error)) {
    case SSL_R_CERTIFICATE_VERIFY_FAILED:
        return TlsCertificateReason(verifyResult);
    case SSL_R_UNSUPPORTED_PROTOCOL:
    case SSL_R_TLSV1_ALERT_PROTOCOL_VERSION:
    case SSL_R_NO_PROTOCOLS_AVAILABLE:
    case SSL_R_VERSION_TOO_LOW:
        return "protocol version";
    case SSL_R_WRONG_VERSION_NUMBER:
    case SSL_R_PACKET_LENGTH_TOO_LONG:
        return "not a TLS server";
    case SSL_R_UNEXPECTED_EOF_WHILE_READING:
        return "connection closed during the TLS handshake";
    default: {
        // The peer's alert, by its name.
        const int reason = ERR_GET_REASON(error);
        if (reason > SSL_AD_REASON_OFFSET && reason < SSL_AD_REASON_OFFSET + 256)
            return std::string("TLS alert: ") + SSL_alert_desc_string_long(reason - SSL_AD_REASON_OFFSET);
        const char* text = ERR_reason_error_string(error);
        return std::string("TLS failure: ") + (text ? text : "unknown");
    }
    }
}
