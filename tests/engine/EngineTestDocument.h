#pragma once

// A small text document for the engine tests, written as flat ODF: a token
// in the main text (also inside a longer word and in other case), in two
// text frames, in a drawing shape, in the header and in the footer, on a
// landscape Letter page.

#include <QFile>
#include <QString>

namespace lw::test {

inline QString engineTestDocumentXml() {
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
<office:automatic-styles>
 <style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="11in"
  fo:page-height="8.5in" style:print-orientation="landscape" fo:margin="0.5in"/>
  <style:header-style/><style:footer-style/></style:page-layout>
 <style:style style:name="gr1" style:family="graphic"><style:graphic-properties
  draw:fill="solid" draw:fill-color="#14505C" style:vertical-pos="from-top"
  style:vertical-rel="page" style:horizontal-pos="from-left" style:horizontal-rel="page"/></style:style>
 <style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>
<office:master-styles>
 <style:master-page style:name="Standard" style:page-layout-name="pm1">
  <style:header><text:p>Header of [CompanyName]</text:p></style:header>
  <style:footer><text:p>Footer [PhoneNo]</text:p></style:footer>
 </style:master-page>
</office:master-styles>
<office:body><office:text>
<text:p>Welcome to <text:span text:style-name="T1">[CompanyName]</text:span>. Call [companyNAME] on [PhoneNo].</text:p>
<text:p>Pre[CompanyName]Post and [Tag] and [TAG]<draw:frame draw:name="First Frame" text:anchor-type="paragraph" svg:x="1in" svg:y="2in" svg:width="3in" svg:height="1in" draw:z-index="0"><draw:text-box><text:p>Frame one: [CompanyName]</text:p></draw:text-box></draw:frame><draw:frame draw:name="Second Frame" text:anchor-type="paragraph" svg:x="1in" svg:y="4in" svg:width="3in" svg:height="1in" draw:z-index="1"><draw:text-box><text:p>Frame two: [CompanyName]</text:p></draw:text-box></draw:frame><draw:custom-shape draw:style-name="gr1" draw:name="Shape" text:anchor-type="paragraph" svg:x="5in" svg:y="2in" svg:width="3in" svg:height="2in" draw:z-index="2"><text:p>Shape: [CompanyName]</text:p><draw:enhanced-geometry svg:viewBox="0 0 21600 21600" draw:type="rectangle" draw:enhanced-path="M 0 0 L 21600 0 21600 21600 0 21600 0 0 Z N"/></draw:custom-shape><draw:custom-shape draw:style-name="gr1" draw:name="Plain Shape" text:anchor-type="paragraph" svg:x="5in" svg:y="5in" svg:width="1in" svg:height="1in" draw:z-index="3"><draw:enhanced-geometry svg:viewBox="0 0 21600 21600" draw:type="rectangle" draw:enhanced-path="M 0 0 L 21600 0 21600 21600 0 21600 0 0 Z N"/></draw:custom-shape></text:p>
</office:text></office:body></office:document>
)");
}

inline bool writeEngineTestDocument(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(engineTestDocumentXml().toUtf8()) > 0;
}

} // namespace lw::test
