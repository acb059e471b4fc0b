#pragma once
#include <string>

// The words a user reads when a TLS connection fails, from OpenSSL's numbers:
// `verifyResult` is the certificate check's X509_V_* result, `error` the
// first queued ERR code (0 when none).
std::string TlsCertificateReason(long verifyResult);
std::string TlsFailureReason(unsigned long error, long verifyResult);
