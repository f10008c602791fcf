// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The digital certificate's document and its administrative data; the
// measurement results are in DccResults.cpp.
#include "records/CertificateWords.h"
#include "records/DccWriter.h"

#include <QObject>
#include <QSaveFile>

#include "records/CertificateTexts.h"
#include "records/DccXmlWriter.h"

namespace vorenx {

namespace dcc {

QString XmlText(const QString& text) {
  QString clean;
  clean.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      clean += c;
      clean += text[++i];
    } else if (!c.isSurrogate() && (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') &&
               c.unicode() != 0xFFFE && c.unicode() != 0xFFFF) {
      clean += c;
    }
  }
  return clean;
}

QString CountryCode(const LabIdentity& lab) {
  const QString code = lab.country.trimmed().toUpper();
  const bool ok = code.size() == 2 && code[0] >= u'A' && code[0] <= u'Z' && code[1] >= u'A' && code[1] <= u'Z';
  return ok ? code : QString();
}

void Writer::Element(const char* name, const QString& text) {
  m_xml.writeTextElement(QLatin1String(kDccNamespace), QLatin1String(name), XmlText(text));
}

void Writer::Contents(const QStringList& lines) {
  for (const QString& line : lines) {
    Start("content");
    m_xml.writeAttribute(QStringLiteral("lang"), QLatin1String(kLanguage));
    m_xml.writeCharacters(XmlText(line));
    End();
  }
}

void Writer::Text(const char* name, const QStringList& lines) {
  Start(name);
  Contents(lines);
  End();
}

void Writer::Identification(const char* issuer, const QString& value, const QString& name) {
  Start("identification");
  Element("issuer", QLatin1String(issuer));
  Element("value", value);
  Text("name", name);
  End();
}

void Writer::SiReal(const Real& real) {
  const QString si = QLatin1String(kDsiNamespace);
  m_xml.writeStartElement(si, QStringLiteral("real"));
  m_xml.writeTextElement(si, QStringLiteral("value"), Number(real.value));
  m_xml.writeTextElement(si, QStringLiteral("unit"), real.unit);
  if (real.expanded) {
    m_xml.writeStartElement(si, QStringLiteral("expandedUnc"));
    m_xml.writeTextElement(si, QStringLiteral("uncertainty"), FormatUncertainty(*real.expanded));
    m_xml.writeTextElement(si, QStringLiteral("coverageFactor"), Number(kCoverageFactor));
    // k = 2 of a normal distribution: the "about 95 %" certificates state.
    m_xml.writeTextElement(si, QStringLiteral("coverageProbability"), QStringLiteral("0.95"));
    m_xml.writeTextElement(si, QStringLiteral("distribution"), QStringLiteral("normal"));
    m_xml.writeEndElement();
  }
  m_xml.writeEndElement();
}

void Writer::Quantity(const QString& name, const std::optional<Real>& real, const QString& missing) {
  Start("quantity");
  Text("name", name);
  if (real)
    SiReal(*real);
  else
    Text("noQuantity", missing);
  End();
}

void Writer::Statement(const QString& name, const QStringList& declaration, const std::optional<PointVerdict>& conformity) {
  Start("statement");
  Start("declaration");
  Text("name", name);
  Contents(declaration);
  End();
  if (conformity)
    if (const std::optional<QString> word = ConformityWord(*conformity)) Element("conformity", *word);
  End();
}

std::optional<QString> ConformityWord(PointVerdict verdict) {
  switch (verdict) {
    case PointVerdict::Pass:
      return QStringLiteral("pass");
    case PointVerdict::Fail:
      return QStringLiteral("fail");
    case PointVerdict::Indeterminate:
      break;
  }
  return std::nullopt;
}

// Twelve significant digits: more than any reading has, and the arithmetic's
// last-digit noise (0.10000000000000009) is left out.
QString Number(double value) { return QString::number(value, 'g', 12); }

}  // namespace dcc

namespace {

using dcc::Writer;

QString OrNotRecorded(const QString& text) { return text.trimmed().isEmpty() ? NotRecordedText() : text.trimmed(); }

void WriteSoftware(Writer& w, const CertificateData& data) {
  // "Vorenx 1.4.0": the name, then the release after the last space.
  const QString software = data.software.trimmed();
  const qsizetype space = software.lastIndexOf(QLatin1Char(' '));
  w.Start("dccSoftware");
  w.Start("software");
  w.Text("name", space > 0 ? software.left(space) : OrNotRecorded(software));
  w.Element("release", space > 0 ? software.mid(space + 1) : NotRecordedText());
  w.Element("type", QStringLiteral("application"));
  w.End();
  w.End();
}

void WriteCoreData(Writer& w, const CertificateData& data) {
  w.Start("coreData");
  // ZZ is the code left free for an unknown country: the lab has not set its own.
  const QString country = dcc::CountryCode(data.lab);
  w.Element("countryCodeISO3166_1", country.isEmpty() ? QStringLiteral("ZZ") : country);
  w.Element("usedLangCodeISO639_1", QLatin1String(dcc::kLanguage));
  w.Element("mandatoryLangCodeISO639_1", QLatin1String(dcc::kLanguage));
  w.Element("uniqueIdentifier", data.summary.certificateNumber);
  w.Start("identifications");
  w.Identification("calibrationLaboratory", data.summary.certificateNumber, CertificateWords::tr("Certificate number"));
  w.Identification("calibrationLaboratory", QString::number(data.summary.revision), CertificateWords::tr("Revision"));
  w.End();
  w.Element("beginPerformanceDate", FirstPerformanceDate(data.record).toString(Qt::ISODate));
  w.Element("endPerformanceDate", LastPerformanceDate(data.record).toString(Qt::ISODate));
  // The program runs at the lab's own bench.
  w.Element("performanceLocation", QStringLiteral("laboratory"));
  w.End();
}

void WriteItems(Writer& w, const CertificateData& data) {
  const CalibrationSetup& setup = data.record.setup;
  const Instrument none;
  const Instrument& i = data.instrument ? *data.instrument : none;
  const QString description = !i.description.trimmed().isEmpty() ? i.description.trimmed() : setup.description.trimmed();
  w.Start("items");
  w.Start("item");
  w.Text("name", description.isEmpty() ? setup.tag : description);
  if (!description.isEmpty()) w.Text("description", CertificateWords::tr("Tag %1: %2").arg(setup.tag, description));
  w.Start("manufacturer");
  w.Text("name", OrNotRecorded(i.manufacturer));
  w.End();
  if (!i.model.trimmed().isEmpty()) w.Element("model", i.model.trimmed());
  w.Start("identifications");
  w.Identification("owner", setup.tag, CertificateWords::tr("Tag"));
  if (!i.serial.trimmed().isEmpty()) w.Identification("manufacturer", i.serial.trimmed(), CertificateWords::tr("Serial number"));
  w.End();
  w.End();
  w.End();
}

// A contact the lab knows only by a name and free text: the e-mail the
// schema asks for is left empty rather than made up.
void WriteContact(Writer& w, const char* element, const QString& name, const QStringList& further,
                  const QString& country = QString()) {
  w.Start(element);
  w.Text("name", name);
  w.Element("eMail", QString());
  w.Start("location");
  if (!country.isEmpty()) w.Element("countryCode", country);
  w.Text("further", further);
  w.End();
  w.End();
}

void WriteParties(Writer& w, const CertificateData& data) {
  const LabIdentity& lab = data.lab;
  QStringList address = lab.address.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (QString& line : address) line = line.trimmed();
  address.removeAll(QString());
  w.Start("calibrationLaboratory");
  WriteContact(w, "contact", LabNameText(lab), address.isEmpty() ? QStringList{NotRecordedText()} : address,
               dcc::CountryCode(lab));
  w.End();

  w.Start("respPersons");
  w.Start("respPerson");
  w.Start("person");
  w.Text("name", OrNotRecorded(lab.signatoryName));
  w.End();
  w.Text("description", CertificateWords::tr("Authorised signatory"));
  if (!lab.signatoryRole.trimmed().isEmpty()) w.Element("role", lab.signatoryRole.trimmed());
  w.Element("mainSigner", QStringLiteral("true"));
  w.End();
  if (!data.record.setup.technician.trimmed().isEmpty()) {
    w.Start("respPerson");
    w.Start("person");
    w.Text("name", data.record.setup.technician.trimmed());
    w.End();
    w.Element("role", CertificateWords::tr("Technician who calibrated the instrument"));
    w.End();
  }
  w.End();

  const QString owner = data.instrument ? data.instrument->owner : QString();
  WriteContact(w, "customer", OrNotRecorded(owner), {CertificateWords::tr("Address: %1").arg(NotRecordedText())});
}

void WriteStatements(Writer& w, const CertificateData& data) {
  const CalibrationRecord& r = data.record;
  w.Start("statements");
  w.Statement(CertificateWords::tr("Decision rule"), {DecisionRuleStatement(r.setup)});
  for (const std::optional<RunResult>* run : {&r.asFound, &r.asLeft})
    if (*run)
      w.Statement(CertificateWords::tr("Conformity, %1").arg(RunKindText((*run)->kind).toLower()),
                  {ConformityStatement(**run, r.setup)}, StatedRunVerdict(**run));
  w.Statement(CertificateWords::tr("Measurement uncertainty"), {UncertaintyStatement()});
  if (const QString amended = AmendmentStatement(data); !amended.isEmpty())
    w.Statement(CertificateWords::tr("Amendment"), {amended});
  if (data.lab.name.trimmed().isEmpty() || dcc::CountryCode(data.lab).isEmpty())
    w.Statement(CertificateWords::tr("Laboratory"),
                {CertificateWords::tr("The laboratory's identity is not completely set in the program (name: %1; country: %2).")
                     .arg(LabNameText(data.lab), dcc::CountryCode(data.lab).isEmpty()
                                                    ? CertificateWords::tr("not set, written as ZZ")
                                                    : dcc::CountryCode(data.lab))});
  if (!data.auditHash.isEmpty())
    w.Statement(CertificateWords::tr("Audit trail"),
                {CertificateWords::tr("When this certificate was issued the newest entry of the laboratory's audit trail had "
                             "the SHA-256 hash %1.")
                     .arg(data.auditHash)});
  // The date of issue: a declaration, then the date itself (the schema's order).
  w.Start("statement");
  w.Text("declaration", CertificateWords::tr("Issued %1 by %2.").arg(data.issued.toUTC().toString(Qt::ISODate), data.software));
  w.Element("date", data.issued.toUTC().date().toString(Qt::ISODate));
  w.End();
  w.Statement(CertificateWords::tr("Reproduction"), {ReproductionStatement()});
  w.End();
}

}  // namespace

QByteArray DccXml(const CertificateData& data) {
  if (data.summary.certificateNumber.isEmpty() || (!data.record.asFound && !data.record.asLeft)) return {};
  QByteArray bytes;
  QXmlStreamWriter xml(&bytes);
  xml.setAutoFormatting(true);
  xml.setAutoFormattingIndent(1);
  xml.writeStartDocument();
  xml.writeNamespace(QLatin1String(kDccNamespace), QStringLiteral("dcc"));
  xml.writeNamespace(QLatin1String(kDsiNamespace), QStringLiteral("si"));
  xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
  Writer w(xml);
  w.Start("digitalCalibrationCertificate");
  xml.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation"),
                     QStringLiteral("%1 %1/v%2/dcc.xsd").arg(QLatin1String(kDccNamespace), QLatin1String(kDccSchemaVersion)));
  xml.writeAttribute(QStringLiteral("schemaVersion"), QLatin1String(kDccSchemaVersion));
  w.Start("administrativeData");
  WriteSoftware(w, data);
  WriteCoreData(w, data);
  WriteItems(w, data);
  WriteParties(w, data);
  WriteStatements(w, data);
  w.End();
  dcc::WriteMeasurementResults(w, data);
  w.End();
  xml.writeEndDocument();
  return bytes;
}

bool SaveDccXml(const CertificateData& data, const QString& path, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = CertificateWords::tr("The digital certificate could not be written to %1: %2").arg(path, why);
    return false;
  };
  const QByteArray xml = DccXml(data);
  if (xml.isEmpty())
    return fail(data.summary.certificateNumber.isEmpty()
                    ? CertificateWords::tr("it is issued only for a calibration in the lab's records")
                    : CertificateWords::tr("the calibration has no run to certify"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (file.write(xml) != xml.size()) {
    file.cancelWriting();
    return fail(file.errorString());
  }
  if (!file.commit()) return fail(file.errorString());
  return true;
}

}  // namespace vorenx
