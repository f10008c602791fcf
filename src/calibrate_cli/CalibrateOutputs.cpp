// The certificate writers, reached through three calls:
//   LoadCertificateData(LabRecords&, qint64 calibrationId, const LabIdentity&)  (src/records)
//   WriteCertificatePdf(const CertificateData&, const QString& path, QString* error)  (src/certificate)
//   DccXml(const CertificateData&)  (src/records)
// They are compiled in when the build defines VORENX_CERTIFICATE_OUTPUTS
// (src/calibrate_cli/CMakeLists.txt does once the certificate library is a
// target); without them the program refuses --pdf and --dcc before any run.
#include "calibrate_cli/CalibrateOutputs.h"

#ifdef VORENX_CERTIFICATE_OUTPUTS
#include <QSaveFile>
#include <QSettings>

#include "certificate/CertificatePdf.h"
#include "records/CertificateData.h"
#include "records/CertificateLoad.h"
#include "records/DccXml.h"
#endif

namespace vorenx::calibrate_cli {

#ifdef VORENX_CERTIFICATE_OUTPUTS

namespace {

// The lab as its certificates name it (the "lab/..." settings).
LabIdentity LabFromSettings(const QString& settingsFile) {
  const QSettings s(settingsFile, QSettings::IniFormat);
  return {s.value(QStringLiteral("lab/name")).toString(), s.value(QStringLiteral("lab/address")).toString(),
          s.value(QStringLiteral("lab/signatoryName")).toString(), s.value(QStringLiteral("lab/signatoryRole")).toString()};
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
  *error = QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString());
  return false;
}

}  // namespace

bool CertificateOutputsAvailable() { return true; }

bool WriteCertificateFiles(LabRecords& records, qint64 calibrationId, const QString& settingsFile,
                           const CertificateFiles& files, QString* error) {
  const std::optional<CertificateData> data =
      LoadCertificateData(records, calibrationId, LabFromSettings(settingsFile));
  if (!data) {
    *error = QStringLiteral("the certificate's data cannot be read from the records");
    return false;
  }
  if (!files.pdf.isEmpty() && !WriteCertificatePdf(*data, files.pdf, error)) return false;
  return files.dcc.isEmpty() || WriteWhole(files.dcc, DccXml(*data), error);
}

#else

bool CertificateOutputsAvailable() { return false; }

bool WriteCertificateFiles(LabRecords&, qint64, const QString&, const CertificateFiles&, QString* error) {
  *error = QStringLiteral("this build of vorenx-calibrate has no certificate writer");
  return false;
}

#endif

}  // namespace vorenx::calibrate_cli
