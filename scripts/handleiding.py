#!/usr/bin/python3
"""The user guide of README.md as one HTML page, for the Windows installation's manual.

    handleiding.py README.md UIT.html

Takes the section "## User guide" up to the next section of that level; its pictures (docs/...)
are copied beside the page by scripts/windows.sh. Needs Debian's python3-markdown.
"""
import html
import sys

import markdown


def main():
    tekst = open(sys.argv[1], encoding="utf-8").read().splitlines()
    begin = tekst.index("## User guide")
    einde = next((i for i in range(begin + 1, len(tekst)) if tekst[i].startswith("## ")), len(tekst))
    deel = "\n".join(tekst[begin:einde])
    body = markdown.markdown(deel, extensions=["tables", "fenced_code"])
    titel = "Korvalinde - handleiding"
    pagina = f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>{html.escape(titel)}</title>
<style>
body {{ font-family: Arial, sans-serif; max-width: 60em; margin: 2em auto; line-height: 1.4; }}
img {{ max-width: 100%; }}
table {{ border-collapse: collapse; }}
td, th {{ border: 1px solid #999; padding: 0.2em 0.5em; }}
code {{ background: #f2f2f2; }}
</style>
</head>
<body>
{body}
</body>
</html>
"""
    with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as uit:
        uit.write(pagina)


if __name__ == "__main__":
    main()
