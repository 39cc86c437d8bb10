#pragma once

#include <QString>
#include <QStringList>

#include <vmime/security/cert/X509Certificate.hpp>
#include <vmime/security/cert/certificateVerifier.hpp>

#include <memory>
#include <vector>

// The system's CA bundle: vmime loads no CA store of its own.
inline const char *const systemCaBundle = "/etc/ssl/certs/ca-certificates.crt";

// Every certificate of the PEM files; vmime imports one certificate at a time.
std::vector<std::shared_ptr<vmime::security::cert::X509Certificate>>
loadCaBundles(const QStringList &paths);

// The SHA-256 digest of the certificate's DER encoding as upper-case hex pairs joined by
// colons; vmime only gives MD5 and SHA-1.
QString sha256Fingerprint(const vmime::security::cert::X509Certificate &certificate);

// Checks the chain against the CAs and the host name like vmime's default verifier, but
// also accepts a server certificate whose fingerprint the user chose to trust. A refusal is
// kept so that the caller can show the fingerprint.
class FingerprintVerifier : public vmime::security::cert::certificateVerifier
{
public:
    enum class Refusal
    {
        None,
        Untrusted,
        Mismatch
    };

    FingerprintVerifier(std::vector<std::shared_ptr<vmime::security::cert::X509Certificate>> cas,
                        QString trustedFingerprint);

    void verify(std::shared_ptr<vmime::security::cert::certificateChain> chain,
                const vmime::string &hostname) override;

    Refusal refusal() const { return m_refusal; }
    QString refusedFingerprint() const { return m_fingerprint; }

private:
    std::vector<std::shared_ptr<vmime::security::cert::X509Certificate>> m_cas;
    QString m_trusted;
    Refusal m_refusal = Refusal::None;
    QString m_fingerprint;
};
