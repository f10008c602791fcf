// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The small vocabulary the digital certificate is written with (DccWriter.cpp
// and DccResults.cpp only): localised texts, identifications and D-SI real
// quantities over one QXmlStreamWriter, numbers with "." whatever the locale.

#include <QString>
#include <QStringList>
#include <QXmlStreamWriter>
#include <optional>

#include "records/CertificateData.h"
#include "records/DccWriter.h"

namespace vorenx::dcc {

// The language every text is written in.
inline constexpr char kLanguage[] = "en";

// A D-SI real: value, unit, and optionally an expanded uncertainty with k = 2.
struct Real {
  double value = 0.0;
  QString unit;                      // "\\milli\\ampere"
  std::optional<double> expanded;    // U in the same unit
};

class Writer {
 public:
  explicit Writer(QXmlStreamWriter& xml) : m_xml(xml) {}

  QXmlStreamWriter& xml() { return m_xml; }
  void Start(const char* name) { m_xml.writeStartElement(QLatin1String(kDccNamespace), QLatin1String(name)); }
  void End() { m_xml.writeEndElement(); }
  // <dcc:NAME>text</dcc:NAME>
  void Element(const char* name, const QString& text);
  // <dcc:NAME><dcc:content lang="en">line</dcc:content>...</dcc:NAME>: a
  // textType or a richContentType with content only (one content per line).
  void Text(const char* name, const QStringList& lines);
  void Text(const char* name, const QString& line) { Text(name, QStringList{line}); }
  // <dcc:identification>: issuer, value, name.
  void Identification(const char* issuer, const QString& value, const QString& name);
  // <dcc:quantity> with a name and one si:real (or, for a value the record
  // lacks, a noQuantity saying so).
  void Quantity(const QString& name, const std::optional<Real>& real, const QString& missing);
  // <si:real> alone.
  void SiReal(const Real& real);
  // A statement: its declaration (with a name) and, when decided, its conformity.
  void Statement(const QString& name, const QStringList& declaration, const std::optional<PointVerdict>& conformity = {});

 private:
  // <dcc:content lang="en">line</dcc:content> for each line.
  void Contents(const QStringList& lines);

  QXmlStreamWriter& m_xml;
};

// "pass" / "fail"; nullopt for indeterminate (the schema's words say a
// decision was made, and none was).
std::optional<QString> ConformityWord(PointVerdict verdict);
// `text` without the characters XML 1.0 cannot hold (control characters but
// tab and line breaks, lone surrogates, U+FFFE, U+FFFF), which a pasted or
// imported field may bring and which would make the document unreadable.
QString XmlText(const QString& text);
// The lab's country as ISO 3166-1 writes it ("DE"); empty when it is not a
// two-letter code (a settings file edited by hand may say anything).
QString CountryCode(const LabIdentity& lab);
// A number as D-SI writes it, with "." whatever the locale: "0.25", "-4",
// "1e-07" (finite values only).
QString Number(double value);

// The measurement results of `data` (DccResults.cpp).
void WriteMeasurementResults(Writer& w, const CertificateData& data);

}  // namespace vorenx::dcc
