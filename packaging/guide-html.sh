#!/bin/bash
# The guide (docs/guia.md) as one HTML page that opens with a double-click,
# without a network: Markdown by Debian's python3-markdown, the pictures it
# shows embedded, links to files of the source tree left as text.
#   usage: guide-html.sh GUIDE.md OUTPUT.html
set -euo pipefail
python=/usr/bin/python3
[ -x "$python" ] || python=python3
mkdir -p "$(dirname "$2")"
"$python" - "$1" "$2.tmp" <<'PY'
import base64
import html
import os
import re
import sys

import markdown
from markdown.extensions.toc import slugify_unicode

source, output = sys.argv[1:]
folder = os.path.dirname(os.path.abspath(source))
text = open(source, encoding='utf-8').read()
body = markdown.markdown(text, extensions=['tables', 'fenced_code', 'toc'],
                         extension_configs={'toc': {'slugify': slugify_unicode}})


def embed(match):
    path = os.path.join(folder, html.unescape(match.group(2)))
    with open(path, 'rb') as picture:
        data = base64.b64encode(picture.read()).decode('ascii')
    return '<img alt="%s" src="data:image/png;base64,%s"' % (match.group(1), data)


body = re.sub(r'<img alt="([^"]*)" src="([^":]+\.png)"', embed, body)
# A link to another file of the source tree means nothing beside the page.
body = re.sub(r'<a href="(?![#]|https?:)[^"]*">(.*?)</a>', r'\1', body)
title = re.search(r'<h1[^>]*>(.*?)</h1>', body).group(1)
page = '''<!DOCTYPE html>
<html lang="pt">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; img-src data:">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>%s</title>
<style>
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; max-width: 52em; margin: 0 auto; padding: 1em;
       line-height: 1.45; color: #1a1a1a; }
pre, code { font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: 0.92em; }
pre { background: #f4f4f4; padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.5em; text-align: left; vertical-align: top; }
img { max-width: 100%%; }
</style>
</head>
<body>
%s
</body>
</html>
''' % (title, body)
open(output, 'w', encoding='utf-8').write(page)
PY
mv "$2.tmp" "$2"
