#pragma once

#include <QString>

// The TLS certificates of the stand-in: a certificate authority "ca.pem", which clients trust, and the
// server's certificate for 127.0.0.1 and localhost signed by it. Made once with openssl, in the data folder.
namespace Certificates {

// Makes them when they are missing; throws EZQError when openssl fails.
void Ensure(const QString& AFolder);

} // namespace Certificates
