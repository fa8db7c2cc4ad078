#!/usr/bin/env python3
"""Makes the workbooks the command-line test refuses, in the current folder:
bigcell.xlsx, whose one cell unpacks to 100 MB (about 100 KB packed),
longcell.xlsx, with a cell of 2,000 characters, and workbook.csv, a small
workbook under a text list's name."""
import zipfile

PARTS = {
    '[Content_Types].xml': '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
        'content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-'
        'package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>'
        '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
        'officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/'
        'sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.'
        'worksheet+xml"/></Types>',
    '_rels/.rels': '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
        'relationships"><Relationship Id="r" Type="http://schemas.openxmlformats.org/'
        'officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
        '</Relationships>',
    'xl/workbook.xml': '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/'
        'main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
        '<sheets><sheet name="S" sheetId="1" r:id="s"/></sheets></workbook>',
    'xl/_rels/workbook.xml.rels': '<Relationships xmlns="http://schemas.openxmlformats.org/'
        'package/2006/relationships"><Relationship Id="s" Type="http://schemas.openxmlformats.'
        'org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
        '</Relationships>'}


def cell(ref, text):
    return b'<c r="' + ref + b'" t="inlineStr"><is><t>' + text + b'</t></is></c>'


def book(name, city, megabytes=0):
    with zipfile.ZipFile(name, 'w', zipfile.ZIP_DEFLATED) as z:
        for part, text in PARTS.items():
            z.writestr(part, text)
        with z.open('xl/worksheets/sheet1.xml', 'w') as f:
            f.write(b'<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/'
                    b'main"><sheetData><row r="1">' + cell(b'A1', b'company_name') +
                    cell(b'B1', b'city') + b'</row><row r="2">' + cell(b'A2', b'Acme') +
                    b'<c r="B2" t="inlineStr"><is><t>' + city)
            for _ in range(megabytes):
                f.write(b'x' * (1 << 20))
            f.write(b'</t></is></c></row><row r="3">' + cell(b'A3', b'Beta') +
                    cell(b'B3', b'Bern') + b'</row></sheetData></worksheet>')


book('bigcell.xlsx', b'', 100)
book('longcell.xlsx', b'y' * 2000)
book('workbook.csv', b'Bern')
