#!/usr/bin/python3
"""The script a user would write instead of Leafwright: one warm headless
office driven through UNO, each row of a CSV list filled into the brochure
template with the document's own replace-all and stored as Word 97.

    /usr/bin/python3 uno_fill_script.py TEMPLATE.dot LIST.csv OUT_DIR PROFILE_DIR

Needs Debian's python3-uno. Used by leafwright-batch-bench as the side of the
comparison that is not ours; it times nothing itself.
"""
import csv
import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

TOKENS = {"company_name": "[CompanyName]", "city": "[City]", "address_line_2": "[Address2]",
          "phone": "[PhoneNo]", "fax": "[FaxNo]", "email": "[EmailAddress]",
          "address_line_1": "[StreetAddress]", "tag_line": "[TagLine]", "state": "[ST]",
          "zip_code": "[ZIPCode]"}


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def start_office(profile):
    pipe = "fill-script-%d" % os.getpid()
    for _ in range(3):  # a new profile asks for one restart
        office = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo", "--nodefault",
             "-env:UserInstallation=file://" + os.path.abspath(profile),
             "--accept=pipe,name=%s;urp;" % pipe],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        while office.poll() is None:
            try:
                context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                return office, context.ServiceManager.createInstanceWithContext(
                    "com.sun.star.frame.Desktop", context)
            except NoConnectException:
                time.sleep(0.05)
    sys.exit("the office did not start")


def main():
    template, listing, out_dir, profile = sys.argv[1:5]
    os.makedirs(out_dir, exist_ok=True)
    office, desktop = start_office(profile)
    template_url = uno.systemPathToFileUrl(os.path.abspath(template))
    with open(listing, newline="", encoding="utf-8") as rows:
        for number, row in enumerate(csv.DictReader(rows), start=1):
            document = desktop.loadComponentFromURL(
                template_url, "_blank", 0, (prop("Hidden", True), prop("AsTemplate", True)))
            search = document.createReplaceDescriptor()
            for column, token in TOKENS.items():
                search.setSearchString(token)
                search.setReplaceString(row.get(column, ""))
                document.replaceAll(search)
            name = row["company_name"].replace("/", "_") or "row-%d" % number
            document.storeToURL(
                uno.systemPathToFileUrl(os.path.join(os.path.abspath(out_dir), name + ".doc")),
                (prop("FilterName", "MS Word 97"), prop("Overwrite", True)))
            document.close(True)
    try:
        desktop.terminate()
    except Exception:
        pass  # the office ends the connection as it goes
    office.wait(10)


if __name__ == "__main__":
    main()
