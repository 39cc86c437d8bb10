#include "CertificateTrust.h"

#include <QFile>

#include <gnutls/crypto.h>
#include <gnutls/gnutls.h>
#include <vmime/security/cert/certificateChain.hpp>
#include <vmime/security/cert/defaultCertificateVerifier.hpp>
#include <vmime/security/cert/serverIdentityException.hpp>
#include <vmime/utility/outputStreamStringAdapter.hpp>

using vmime::security::cert::X509Certificate;

std::vector<std::shared_ptr<X509Certificate>> loadCaBundles(const QStringList &paths)
{
    static const QByteArray begin = "-----BEGIN CERTIFICATE-----";
    static const QByteArray end = "-----END CERTIFICATE-----";
    std::vector<std::shared_ptr<X509Certificate>> certificates;
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray pem = file.readAll();
        for (qsizetype from = pem.indexOf(begin); from >= 0; from = pem.indexOf(begin, from)) {
            const qsizetype to = pem.indexOf(end, from);
            if (to < 0)
                break;
            const QByteArray one = pem.mid(from, to + end.size() - from);
            from = to + end.size();
            if (auto certificate = X509Certificate::import(
                    reinterpret_cast<const vmime::byte_t *>(one.constData()), size_t(one.size())))
                certificates.push_back(certificate);
        }
    }
    return certificates;
}

QString sha256Fingerprint(const X509Certificate &certificate)
{
    vmime::string der;
    vmime::utility::outputStreamStringAdapter out(der);
    certificate.write(out, X509Certificate::FORMAT_DER);
    unsigned char digest[32];
    if (gnutls_hash_fast(GNUTLS_DIG_SHA256, der.data(), der.size(), digest) != 0)
        return {};
    QStringList pairs;
    for (unsigned char byte : digest)
        pairs.append(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    return pairs.join(QLatin1Char(':'));
}

FingerprintVerifier::FingerprintVerifier(std::vector<std::shared_ptr<X509Certificate>> cas,
                                         QString trustedFingerprint)
    : m_cas(std::move(cas)), m_trusted(std::move(trustedFingerprint))
{
}

void FingerprintVerifier::verify(std::shared_ptr<vmime::security::cert::certificateChain> chain,
                                 const vmime::string &hostname)
{
    vmime::security::cert::defaultCertificateVerifier checks;
    checks.setX509RootCAs(m_cas);
    try {
        checks.verify(chain, hostname);
    } catch (const vmime::security::cert::certificateException &refused) {
        auto server = chain && chain->getCount() > 0
                          ? std::dynamic_pointer_cast<X509Certificate>(chain->getAt(0))
                          : nullptr;
        const QString fingerprint = server ? sha256Fingerprint(*server) : QString();
        if (!fingerprint.isEmpty() && fingerprint.compare(m_trusted, Qt::CaseInsensitive) == 0)
            return;
        m_fingerprint = fingerprint;
        m_refusal = dynamic_cast<const vmime::security::cert::serverIdentityException *>(&refused)
                        ? Refusal::Mismatch
                        : Refusal::Untrusted;
        throw;
    }
}
