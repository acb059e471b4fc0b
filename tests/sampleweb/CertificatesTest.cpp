#include "sampleweb/certificates/Certificates.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <openssl/pem.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include <memory>

using namespace certificates;

namespace {

X509* ReadCertificate(const std::string& pem)
{
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    return cert;
}

// What a TLS client's verification says of `leaf` for `host`, trusting `ca` only.
int Verify(const Identity& leaf, const Identity& ca, const std::string& host)
{
    X509_STORE* store = X509_STORE_new();
    X509* caCert = ReadCertificate(ca.CertificatePem);
    X509_STORE_add_cert(store, caCert);
    X509* leafCert = ReadCertificate(leaf.CertificatePem);
    X509_STORE_CTX* ctx = X509_STORE_CTX_new();
    X509_STORE_CTX_init(ctx, store, leafCert, nullptr);
    X509_VERIFY_PARAM* param = X509_STORE_CTX_get0_param(ctx);
    if (X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str()) != 1)
        X509_VERIFY_PARAM_set1_host(param, host.c_str(), 0);
    X509_verify_cert(ctx);
    const int result = X509_STORE_CTX_get_error(ctx);
    X509_STORE_CTX_free(ctx);
    X509_free(leafCert);
    X509_free(caCert);
    X509_STORE_free(store);
    return result;
}

struct VerifyCase {
    const char* name;
    std::vector<std::string> names;
    bool signedByCa;
    Validity validity;
    std::string host;
    int expected;
};

class CertificateVerification : public testing::TestWithParam<VerifyCase> {};

TEST_P(CertificateVerification, GivesTheVerdictOfItsMaking)
{
    const VerifyCase& c = GetParam();
    const Identity ca = MakeCa("Test CA");
    const Identity leaf = MakeLeaf(c.names, c.signedByCa ? &ca : nullptr, c.validity);
    EXPECT_EQ(Verify(leaf, ca, c.host), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Leaves, CertificateVerification,
    testing::Values(
        VerifyCase{"Name", {"site.test", "127.0.0.1"}, true, {}, "site.test", X509_V_OK},
        VerifyCase{"Address", {"site.test", "127.0.0.1"}, true, {}, "127.0.0.1", X509_V_OK},
        VerifyCase{"Ipv6", {"::1"}, true, {}, "::1", X509_V_OK},
        VerifyCase{"OtherName", {"site.test"}, true, {}, "other.test", X509_V_ERR_HOSTNAME_MISMATCH},
        VerifyCase{"OtherAddress", {"127.0.0.1"}, true, {}, "127.0.0.2", X509_V_ERR_IP_ADDRESS_MISMATCH},
        VerifyCase{"Expired", {"site.test"}, true, {-7200, -3600}, "site.test", X509_V_ERR_CERT_HAS_EXPIRED},
        VerifyCase{"NotYetValid", {"site.test"}, true, {3600, 7200}, "site.test", X509_V_ERR_CERT_NOT_YET_VALID},
        VerifyCase{"SelfSigned", {"site.test"}, false, {}, "site.test", X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT}),
    [](const testing::TestParamInfo<VerifyCase>& info) { return std::string(info.param.name); });

TEST(Certificates, AnotherCaIsNotTrusted)
{
    const Identity ca = MakeCa("Test CA");
    const Identity other = MakeCa("Other CA");
    EXPECT_EQ(Verify(MakeLeaf({"site.test"}, &other), ca, "site.test"), X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY);
}

TEST(Certificates, WritesPemFilesThatReadBack)
{
    TempDir dir;
    const Identity ca = MakeCa("Test CA");
    WritePem(dir.File("ca.pem"), ca.CertificatePem);
    EXPECT_EQ(ReadFile(dir.File("ca.pem")), ca.CertificatePem);
    EXPECT_THROW(WritePem(dir.File("missing/ca.pem"), ca.CertificatePem), std::runtime_error);
}

} // namespace
