#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Certificates for the tests and the sample web, made in memory with OpenSSL:
// a CA, and leaves for given host names and addresses, signed by a CA or by
// themselves, valid for a chosen span (an expired one too).
namespace certificates {

// A certificate and its private key, both PEM text.
struct Identity {
    std::string CertificatePem;
    std::string KeyPem;
};

// Validity relative to now, in seconds: negative is in the past.
struct Validity {
    long FromSeconds = -3600;
    long UntilSeconds = 30L * 24 * 3600;
};

// Throws std::runtime_error when OpenSSL fails.
Identity MakeCa(const std::string& commonName, Validity validity = {});

// A leaf for `names`: each one an IPv4/IPv6 literal or a DNS name, all in
// the subject alternative names; the first is also the common name. Signed
// by `issuer`, or by itself when `issuer` is null.
Identity MakeLeaf(const std::vector<std::string>& names, const Identity* issuer, Validity validity = {});

// Writes `pem` to `path` (replacing it); throws std::runtime_error.
void WritePem(const std::filesystem::path& path, const std::string& pem);

} // namespace certificates
