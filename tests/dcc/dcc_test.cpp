// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The digital calibration certificate read back with libxml2 and XPath: the
// schema's namespaces and element order, one result per point with U, k and
// the coverage probability, the decision rule and conformity, what it says of
// values the record lacks, and the file written whole or not at all.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <map>
#include <memory>

#include "../certificate/CertificateSamples.h"
#include "records/CalibrationTexts.h"
#include "records/DccWriter.h"

namespace vorenx::testing {
namespace {

// A parsed document and XPath over it with the prefixes dcc and si.
class Xml {
 public:
  explicit Xml(const QByteArray& bytes)
      : m_doc(xmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), "dcc.xml", nullptr, XML_PARSE_NONET),
              xmlFreeDoc) {
    if (!m_doc) return;
    m_context.reset(xmlXPathNewContext(m_doc.get()));
    xmlXPathRegisterNs(m_context.get(), BAD_CAST "dcc", BAD_CAST kDccNamespace);
    xmlXPathRegisterNs(m_context.get(), BAD_CAST "si", BAD_CAST kDsiNamespace);
  }
  bool ok() const { return m_doc != nullptr; }

  // The text of every node `path` selects.
  QStringList Texts(const char* path) const {
    QStringList texts;
    ForEach(path, [&](xmlNodePtr node) {
      xmlChar* content = xmlNodeGetContent(node);
      texts << QString::fromUtf8(reinterpret_cast<const char*>(content)).trimmed();
      xmlFree(content);
    });
    return texts;
  }
  QString Text(const char* path) const { return Texts(path).value(0); }
  int Count(const char* path) const { return static_cast<int>(Texts(path).size()); }
  // The local names of the element children of each node `path` selects.
  std::vector<QStringList> Children(const char* path) const {
    std::vector<QStringList> all;
    ForEach(path, [&](xmlNodePtr node) {
      QStringList names;
      for (xmlNodePtr c = node->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE) names << QString::fromUtf8(reinterpret_cast<const char*>(c->name));
      all.push_back(names);
    });
    return all;
  }

 private:
  template <typename F>
  void ForEach(const char* path, F f) const {
    if (!m_context) return;
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST path, m_context.get());
    if (result && result->nodesetval)
      for (int i = 0; i < result->nodesetval->nodeNr; ++i) f(result->nodesetval->nodeTab[i]);
    xmlXPathFreeObject(result);
  }

  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> m_doc;
  std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> m_context{nullptr, xmlXPathFreeContext};
};

// True when `names` follow `order` (each name may repeat, none may come back
// after a later one, none is foreign to it).
bool InOrder(const QStringList& names, const QStringList& order) {
  qsizetype at = 0;
  for (const QString& n : names) {
    const qsizetype i = order.indexOf(n, at);
    if (i < 0) return false;
    at = i;
  }
  return true;
}

// The schema's sequences (and the fixed order this writer keeps where the
// schema allows any), by the XPath of the elements they govern.
const std::map<std::string, QStringList>& SchemaOrder() {
  static const std::map<std::string, QStringList> order{
      {"/dcc:digitalCalibrationCertificate", {"administrativeData", "measurementResults", "comment", "document"}},
      {"//dcc:administrativeData",
       {"dccSoftware", "coreData", "items", "calibrationLaboratory", "respPersons", "customer", "statements"}},
      {"//dcc:software", {"name", "release", "type", "description"}},
      {"//dcc:coreData",
       {"countryCodeISO3166_1", "usedLangCodeISO639_1", "mandatoryLangCodeISO639_1", "uniqueIdentifier",
        "identifications", "receiptDate", "beginPerformanceDate", "endPerformanceDate", "performanceLocation",
        "previousReport"}},
      {"//dcc:items", {"name", "equipmentClass", "description", "owner", "identifications", "item"}},
      {"//dcc:item", {"name", "equipmentClass", "description", "installedSoftwares", "manufacturer", "model",
                      "identifications"}},
      {"//dcc:identification", {"issuer", "value", "name"}},
      {"//dcc:calibrationLaboratory", {"calibrationLaboratoryCode", "contact"}},
      {"//dcc:contact | //dcc:customer", {"name", "eMail", "phone", "fax", "location", "descriptionData"}},
      {"//dcc:respPerson", {"person", "description", "role", "mainSigner", "cryptElectronicSeal",
                            "cryptElectronicSignature", "cryptElectronicTimeStamp"}},
      {"//dcc:statement | //dcc:metaData",
       {"countryCodeISO3166_1", "convention", "traceable", "norm", "reference", "declaration", "valid", "date",
        "period", "respAuthority", "conformity", "conformityXMLList", "data", "nonSIDefinition", "nonSIUnit",
        "location"}},
      {"//dcc:measurementResult", {"name", "description", "usedMethods", "usedSoftware", "measuringEquipments",
                                   "influenceConditions", "results", "measurementMetaData"}},
      {"//dcc:usedMethod", {"name", "description", "norm", "reference"}},
      {"//dcc:measuringEquipment", {"name", "equipmentClass", "description", "certificate", "manufacturer", "model",
                                    "identifications", "measuringEquipmentQuantities"}},
      {"//dcc:influenceCondition", {"name", "description", "status", "certificate", "data"}},
      {"//dcc:result", {"name", "description", "data"}},
      {"//dcc:list", {"name", "description", "dateTime", "dateTimeXMLList", "list", "quantity", "usedMethods",
                      "usedSoftware", "measuringEquipments", "influenceConditions", "measurementMetaData"}},
      {"//dcc:quantity", {"name", "description", "noQuantity", "real", "relativeUncertainty", "usedMethods",
                          "usedSoftware", "measuringEquipments", "influenceConditions", "measurementMetaData"}},
      {"//si:real", {"label", "value", "unit", "dateTime", "expandedUnc", "coverageInterval"}},
      {"//si:expandedUnc", {"uncertainty", "coverageFactor", "coverageProbability", "distribution"}},
  };
  return order;
}

TEST(Dcc, IsWellFormedInTheSchemasNamespacesAndOrder) {
  const QByteArray bytes = DccXml(FullCertificate());
  const Xml xml(bytes);
  ASSERT_TRUE(xml.ok()) << bytes.left(400).toStdString();
  EXPECT_EQ(xml.Count("/dcc:digitalCalibrationCertificate[@schemaVersion='3.1.2']"), 1);
  EXPECT_TRUE(bytes.contains("xsi:schemaLocation=\"https://ptb.de/dcc https://ptb.de/dcc/v3.1.2/dcc.xsd\""));
  for (const auto& [path, order] : SchemaOrder()) {
    const std::vector<QStringList> nodes = xml.Children(path.c_str());
    EXPECT_FALSE(nodes.empty()) << path;
    for (const QStringList& children : nodes)
      EXPECT_TRUE(InOrder(children, order)) << path << ": " << children.join(' ').toStdString();
  }
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:uniqueIdentifier"), QStringLiteral("VX-2026-000123"));
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:countryCodeISO3166_1"), QStringLiteral("DE"));
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:beginPerformanceDate"), QStringLiteral("2026-12-08"));
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:performanceLocation"), QStringLiteral("laboratory"));
  EXPECT_EQ(xml.Text("//dcc:dccSoftware/dcc:software/dcc:release"), QStringLiteral("1.0.0.2"));
  EXPECT_EQ(xml.Texts("//dcc:item/dcc:identifications/dcc:identification/dcc:value"),
            (QStringList{"TT-101", "SN-4711"}));
  EXPECT_EQ(xml.Text("//dcc:item/dcc:manufacturer/dcc:name/dcc:content"), QStringLiteral("Acme"));
  EXPECT_EQ(xml.Text("//dcc:item/dcc:model"), QStringLiteral("TX-4"));
  EXPECT_EQ(xml.Text("//dcc:respPerson[dcc:mainSigner='true']/dcc:person/dcc:name/dcc:content"),
            QStringLiteral("Dr. Signe Tory"));
  EXPECT_EQ(xml.Text("//dcc:respPerson[dcc:mainSigner='true']/dcc:role"), QStringLiteral("Head of laboratory"));
  EXPECT_EQ(xml.Text("//dcc:customer/dcc:name/dcc:content"), QStringLiteral("Plant A, Chemicals Ltd"));

  // And xmllint, the tool a lab would check a file with, agrees.
  const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
  ASSERT_FALSE(xmllint.isEmpty()) << "xmllint is missing: scripts/setup.sh installs libxml2-utils";
  QTemporaryDir dir;
  QString error;
  ASSERT_TRUE(SaveDccXml(FullCertificate(), dir.filePath("c.xml"), &error)) << error.toStdString();
  QProcess lint;
  lint.start(xmllint, {QStringLiteral("--noout"), dir.filePath("c.xml")});
  ASSERT_TRUE(lint.waitForFinished(60000));
  EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
}

TEST(Dcc, HasOneResultPerPointWithItsUncertaintyAndUnits) {
  const CertificateData d = FullCertificate(7);
  const Xml xml(DccXml(d));
  ASSERT_TRUE(xml.ok());
  EXPECT_EQ(xml.Count("//dcc:measurementResult"), 2);
  EXPECT_EQ(xml.Count("//dcc:measurementResult[1]/dcc:results/dcc:result"), 7);
  EXPECT_EQ(xml.Count("//dcc:measurementResult[2]/dcc:results/dcc:result"), 7);
  const QStringList names = xml.Texts("//dcc:measurementResult[1]//dcc:result/dcc:name/dcc:content");
  ASSERT_EQ(names.size(), 7);
  EXPECT_EQ(names.front(), QStringLiteral("As-found, 0 % of span, up"));
  EXPECT_EQ(names.back(), QStringLiteral("As-found, 100 % of span, up"));

  // The measured output of every point: its value in mA and U with k = 2, about 95 %.
  const char* measured = "//dcc:quantity[dcc:name/dcc:content='Measured output']/si:real";
  EXPECT_EQ(xml.Count(measured), 14);
  EXPECT_EQ(xml.Texts("//dcc:quantity[dcc:name/dcc:content='Measured output']/si:real/si:unit"),
            QStringList(14, QStringLiteral("\\milli\\ampere")));
  EXPECT_EQ(xml.Texts("//dcc:quantity[dcc:name/dcc:content='Measured output']//si:uncertainty"),
            QStringList(14, QStringLiteral("0.0040")));
  EXPECT_EQ(xml.Texts("//si:coverageFactor"), QStringList(14, QStringLiteral("2")));
  EXPECT_EQ(xml.Texts("//si:coverageProbability"), QStringList(14, QStringLiteral("0.95")));
  const QStringList values = xml.Texts("//dcc:measurementResult[1]//dcc:quantity[dcc:name/dcc:content='Measured output']/si:real/si:value");
  ASSERT_EQ(values.size(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(values[i].toDouble(), d.record.asFound->points[i].measured) << i;
  // The applied input of the PT100 in ℃, the error in %, the TUR without unit.
  EXPECT_EQ(xml.Texts("//dcc:quantity[dcc:name/dcc:content='Applied input']/si:real/si:unit").value(0),
            QStringLiteral("\\degreecelsius"));
  EXPECT_EQ(xml.Texts("//dcc:quantity[starts-with(dcc:name/dcc:content,'Error')]/si:real/si:unit").value(0),
            QStringLiteral("\\percent"));
  EXPECT_EQ(xml.Texts("//dcc:quantity[starts-with(dcc:name/dcc:content,'Test uncertainty ratio')]/si:real/si:value")
                .value(0),
            QStringLiteral("20"));
  // The ambient conditions as quantities.
  EXPECT_EQ(xml.Texts("//dcc:influenceCondition[dcc:name/dcc:content='Ambient temperature']//si:real/si:value").value(0),
            QStringLiteral("23.1"));
  EXPECT_EQ(xml.Texts("//dcc:influenceCondition[dcc:name/dcc:content='Relative humidity']//si:real/si:unit").value(0),
            QStringLiteral("\\percent"));
}

TEST(Dcc, StatesTheDecisionRuleAndTheConformityOfRunsAndPoints) {
  CertificateData d = FullCertificate();
  d.record.setup.rule = DecisionRule::GuardBand;
  PointResult& undecided = d.record.asFound->points[3];
  undecided.errorPercent = 0.48;
  undecided.uncertainty->expandedPercentOfSpan = 0.2;
  undecided.verdict = PointVerdict::Indeterminate;
  undecided.pass = false;
  PointResult& failed = d.record.asLeft->points[4];
  failed.errorPercent = 0.9;
  failed.verdict = PointVerdict::Fail;
  failed.pass = false;
  const Xml xml(DccXml(d));
  ASSERT_TRUE(xml.ok());
  EXPECT_TRUE(xml.Text("//dcc:statement[dcc:declaration/dcc:name/dcc:content='Decision rule']/dcc:declaration/dcc:content")
                  .startsWith(QStringLiteral("Decision rule: guard band w = U.")));
  // The as-found could not be decided: said, with no conformity claimed; the as-left fails.
  const QString asFound = xml.Text("//dcc:statement[dcc:declaration/dcc:name/dcc:content='Conformity, as-found']/dcc:declaration/dcc:content");
  EXPECT_TRUE(asFound.contains(QStringLiteral("conformity could not be decided at 1 of 5 points (75 % up)"))) << asFound.toStdString();
  EXPECT_EQ(xml.Count("//dcc:statement[dcc:declaration/dcc:name/dcc:content='Conformity, as-found']/dcc:conformity"), 0);
  EXPECT_EQ(xml.Text("//dcc:statement[dcc:declaration/dcc:name/dcc:content='Conformity, as-left']/dcc:conformity"),
            QStringLiteral("fail"));
  // Per point: pass, the undecided one with its reason and no conformity, fail.
  EXPECT_EQ(xml.Texts("//dcc:measurementResult[1]//dcc:result//dcc:metaData/dcc:conformity"),
            (QStringList{"pass", "pass", "pass", "pass"}));
  EXPECT_TRUE(xml.Texts("//dcc:measurementResult[1]//dcc:result[4]//dcc:metaData/dcc:declaration/dcc:content")
                  .contains(QStringLiteral("Conformity could not be decided: the error lies within U of the tolerance limit.")));
  EXPECT_EQ(xml.Texts("//dcc:measurementResult[2]//dcc:result[5]//dcc:metaData/dcc:conformity"), QStringList{"fail"});
  EXPECT_EQ(xml.Count("//dcc:statement[dcc:declaration/dcc:name/dcc:content='Reproduction']"), 1);
  EXPECT_EQ(xml.Text("//dcc:statement[dcc:date]/dcc:date"), QStringLiteral("2026-12-08"));
}

TEST(Dcc, SaysNotRecordedForWhatTheRecordLacksAndMakesNothingUp) {
  CertificateData d = FullCertificate(3);
  d.lab = {};
  d.instrument.reset();
  d.record.standard.reset();
  d.record.environment = {};
  d.record.asLeft.reset();
  d.record.asFound->points[1].measured = std::nan("");  // a point that never settled
  d.record.asFound->points[1].settled = false;
  d.record.asFound->points[2].uncertainty.reset();      // as an older record has it
  const QByteArray bytes = DccXml(d);
  const Xml xml(bytes);
  ASSERT_TRUE(xml.ok());
  EXPECT_EQ(xml.Text("//dcc:calibrationLaboratory/dcc:contact/dcc:name/dcc:content"), QStringLiteral("Laboratory not set"));
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:countryCodeISO3166_1"), QStringLiteral("ZZ"));
  EXPECT_EQ(xml.Text("//dcc:item/dcc:manufacturer/dcc:name/dcc:content"), QStringLiteral("not recorded"));
  EXPECT_EQ(xml.Texts("//dcc:item//dcc:identification/dcc:value"), QStringList{"TT-101"});  // no serial known
  EXPECT_EQ(xml.Texts("//dcc:influenceCondition/dcc:data/dcc:text/dcc:content"),
            (QStringList{"not recorded", "not recorded"}));
  EXPECT_EQ(xml.Count("//dcc:influenceCondition//si:real"), 0);
  EXPECT_TRUE(xml.Text("//dcc:measuringEquipment/dcc:description/dcc:content").contains(QStringLiteral("not recorded")));
  EXPECT_EQ(xml.Count("//dcc:measuringEquipment/dcc:identifications"), 0);
  EXPECT_EQ(xml.Count("//dcc:measurementResult"), 1);
  // The unsettled point has no measured value and fails; the old one has no U.
  EXPECT_EQ(xml.Count("//dcc:result[2]//dcc:quantity[dcc:name/dcc:content='Measured output']/dcc:noQuantity"), 1);
  EXPECT_EQ(xml.Texts("//dcc:result[2]//dcc:metaData/dcc:conformity"), QStringList{"fail"});
  EXPECT_EQ(xml.Count("//dcc:result[3]//si:expandedUnc"), 0);
  EXPECT_EQ(xml.Text("//dcc:result[3]//dcc:quantity[dcc:name/dcc:content='Measured output']/dcc:description/dcc:content"),
            QStringLiteral("Expanded uncertainty: not recorded."));
  EXPECT_FALSE(bytes.contains("nan"));
  EXPECT_FALSE(bytes.contains("inf<"));
}

TEST(Dcc, GivesFahrenheitInputsInCelsiusAndSaysSo) {
  CertificateData d = FullCertificate(2);
  d.record.setup.celsius = false;
  d.record.setup.inputLow = 32.0;
  d.record.setup.inputHigh = 212.0;
  for (auto* run : {&d.record.asFound, &d.record.asLeft}) {
    (*run)->points[0].applied = 32.0;
    (*run)->points[1].applied = 212.0;
  }
  const Xml xml(DccXml(d));
  ASSERT_TRUE(xml.ok());
  EXPECT_EQ(xml.Texts("//dcc:measurementResult[1]//dcc:quantity[dcc:name/dcc:content='Applied input']/si:real/si:value"),
            (QStringList{"0", "100"}));
  EXPECT_EQ(xml.Count("//si:unit[contains(., 'fahrenheit')]"), 0);
  EXPECT_TRUE(xml.Texts("//dcc:usedMethod/dcc:description/dcc:content").join(' ').contains(QStringLiteral("given here in \u2103")));
}

TEST(Dcc, IsWrittenWholeAndOnlyForACertificateFromTheRecords) {
  QTemporaryDir dir;
  QString error;
  CertificateData d = FullCertificate();
  ASSERT_TRUE(SaveDccXml(d, dir.filePath("c.xml"), &error)) << error.toStdString();
  QFile written(dir.filePath("c.xml"));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), DccXml(d));
  EXPECT_FALSE(SaveDccXml(d, dir.filePath("missing/c.xml"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing/c.xml")));

  CertificateData bench = d;
  bench.summary.certificateNumber.clear();  // a run kept on the bench only
  EXPECT_TRUE(DccXml(bench).isEmpty());
  EXPECT_FALSE(SaveDccXml(bench, dir.filePath("bench.xml"), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("lab's records")));
  CertificateData empty = d;
  empty.record.asFound.reset();
  empty.record.asLeft.reset();
  EXPECT_TRUE(DccXml(empty).isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"c.xml"});

  // The sample in the docs, from the complete certificate.
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(SaveDccXml(FullCertificate(3), QStringLiteral(VORENX_PICTURE_DIR "/sample-dcc.xml"), &error));
}

TEST(Dcc, StaysWellFormedWhateverTheFieldsHold) {
  CertificateData d = FullCertificate(2);
  d.record.setup.technician = QStringLiteral("A.\x01 Tester <&> \"x\"");
  d.instrument->serial = QString(QChar(0xD800)) + QStringLiteral("SN") + QChar(0xFFFF);
  d.lab.name = QString::fromUtf8("Labor M\u00fcller & S\u00f6hne \U0001F321");
  d.lab.country = QStringLiteral("germany");  // edited by hand in the settings
  const QByteArray bytes = DccXml(d);
  const Xml xml(bytes);
  ASSERT_TRUE(xml.ok()) << bytes.toStdString();
  EXPECT_EQ(xml.Text("//dcc:respPerson[not(dcc:mainSigner)]/dcc:person/dcc:name/dcc:content"),
            QStringLiteral("A. Tester <&> \"x\""));
  EXPECT_EQ(xml.Texts("//dcc:item//dcc:identification/dcc:value").value(1), QStringLiteral("SN"));
  EXPECT_EQ(xml.Text("//dcc:calibrationLaboratory/dcc:contact/dcc:name/dcc:content"), d.lab.name);
  EXPECT_EQ(xml.Text("//dcc:coreData/dcc:countryCodeISO3166_1"), QStringLiteral("ZZ"));
  EXPECT_EQ(xml.Count("//dcc:calibrationLaboratory//dcc:countryCode"), 0);
}

class DccInCommaLocale : public CommaLocale {};

TEST_F(DccInCommaLocale, WritesNumbersWithAPoint) {
  const Xml xml(DccXml(FullCertificate()));
  ASSERT_TRUE(xml.ok());
  EXPECT_EQ(xml.Texts("//dcc:quantity[dcc:name/dcc:content='Measured output']//si:uncertainty").value(0),
            QStringLiteral("0.0040"));
  EXPECT_EQ(xml.Texts("//dcc:influenceCondition//si:real/si:value").value(0), QStringLiteral("23.1"));
}

}  // namespace
}  // namespace vorenx::testing
