#include "sampleweb/certificates/Certificates.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <fstream>
#include <memory>
#include <stdexcept>

namespace certificates {

namespace {

struct KeyFree { void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); } };
struct CertFree { void operator()(X509* p) const { X509_free(p); } };
struct BioFree { void operator()(BIO* p) const { BIO_free(p); } };
using KeyPtr = std::unique_ptr<EVP_PKEY, KeyFree>;
using CertPtr = std::unique_ptr<X509, CertFree>;
using BioPtr = std::unique_ptr<BIO, BioFree>;

void Check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("certificate: ") + what + " failed");
}

// P-256 keys: quick to make, so every test can make its own.
KeyPtr NewKey()
{
    KeyPtr key(EVP_EC_gen("P-256"));
    Check(key != nullptr, "key generation");
    return key;
}

std::string ToPem(int (*write)(BIO*, void*), void* object)
{
    BioPtr bio(BIO_new(BIO_s_mem()));
    Check(bio && write(bio.get(), object) == 1, "PEM writing");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<size_t>(size));
}

std::string CertificatePem(X509* cert)
{
    return ToPem([](BIO* b, void* o) { return PEM_write_bio_X509(b, static_cast<X509*>(o)); }, cert);
}

std::string KeyPem(EVP_PKEY* key)
{
    return ToPem([](BIO* b, void* o) {
        return PEM_write_bio_PrivateKey(b, static_cast<EVP_PKEY*>(o), nullptr, nullptr, 0, nullptr, nullptr);
    }, key);
}

KeyPtr ReadKey(const std::string& pem)
{
    BioPtr bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    KeyPtr key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
    Check(key != nullptr, "reading the issuer's key");
    return key;
}

CertPtr ReadCertificate(const std::string& pem)
{
    BioPtr bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    CertPtr cert(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
    Check(cert != nullptr, "reading the issuer's certificate");
    return cert;
}

void AddExtension(X509* cert, X509* issuer, int nid, const std::string& value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    Check(ext != nullptr, "making an extension");
    const int added = X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
    Check(added == 1, "adding an extension");
}

bool IsAddress(const std::string& name)
{
    unsigned char buffer[16];
    return inet_pton(AF_INET, name.c_str(), buffer) == 1 || inet_pton(AF_INET6, name.c_str(), buffer) == 1;
}

std::string AlternativeNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ",") + std::string(IsAddress(name) ? "IP:" : "DNS:") + name;
    return text;
}

// A serial number of its own per certificate, so a client never takes two for one.
void SetRandomSerial(X509* cert)
{
    BIGNUM* number = BN_new();
    Check(number && BN_rand(number, 120, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) == 1, "serial number");
    ASN1_INTEGER* serial = BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert));
    BN_free(number);
    Check(serial != nullptr, "serial number");
}

// A certificate for `key` named `commonName`, not yet extended nor signed.
CertPtr NewCertificate(EVP_PKEY* key, const std::string& commonName, Validity validity)
{
    CertPtr cert(X509_new());
    Check(cert != nullptr, "X509_new");
    X509_set_version(cert.get(), 2);
    SetRandomSerial(cert.get());
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), validity.FromSeconds);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), validity.UntilSeconds);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>("Glimmerscout tests"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
    return cert;
}

} // namespace

Identity MakeCa(const std::string& commonName, Validity validity)
{
    KeyPtr key = NewKey();
    CertPtr cert = NewCertificate(key.get(), commonName, validity);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get()));
    AddExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
    AddExtension(cert.get(), cert.get(), NID_subject_key_identifier, "hash");
    Check(X509_sign(cert.get(), key.get(), EVP_sha256()) > 0, "signing the CA");
    return {CertificatePem(cert.get()), KeyPem(key.get())};
}

Identity MakeLeaf(const std::vector<std::string>& names, const Identity* issuer, Validity validity)
{
    Check(!names.empty(), "a leaf without names");
    KeyPtr key = NewKey();
    CertPtr cert = NewCertificate(key.get(), names.front(), validity);
    CertPtr issuerCert = issuer ? ReadCertificate(issuer->CertificatePem) : nullptr;
    KeyPtr issuerKey = issuer ? ReadKey(issuer->KeyPem) : nullptr;
    X509* signer = issuer ? issuerCert.get() : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
    AddExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
    AddExtension(cert.get(), signer, NID_subject_alt_name, AlternativeNames(names));
    if (issuer)
        AddExtension(cert.get(), signer, NID_authority_key_identifier, "keyid:always");
    Check(X509_sign(cert.get(), issuer ? issuerKey.get() : key.get(), EVP_sha256()) > 0, "signing the leaf");
    return {CertificatePem(cert.get()), KeyPem(key.get())};
}

void WritePem(const std::filesystem::path& path, const std::string& pem)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << pem;
    out.close();
    if (!out)
        throw std::runtime_error("certificate: cannot write " + path.string());
}

} // namespace certificates
