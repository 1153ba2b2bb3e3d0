#!/usr/bin/env python3
"""Copies a UTF-8 C++ source with every non-ASCII character inside a string
or character literal written as the octal escapes of its code page 932 bytes.

clang has no code page 932 execution character set (GCC's -fexec-charset), and
taking the bytes in raw would not do either: a second byte may be a backslash.
Comments and everything else stay as they are, and so do the line numbers; a
#line directive points diagnostics at the original file.

usage: encode_literals.py SOURCE OUTPUT
"""
import os
import sys


def encode(text):
    out = []
    i = 0
    n = len(text)
    state = None  # None, '//', '/*', '"' or "'"
    while i < n:
        c = text[i]
        if state is None:
            if text.startswith('//', i):
                state = '//'
            elif text.startswith('/*', i):
                state = '/*'
            elif c in '"\'':
                state = c
            out.append(c)
        elif state == '//':
            if c == '\n':
                state = None
            out.append(c)
        elif state == '/*':
            if text.startswith('*/', i):
                out.append('*/')
                i += 2
                state = None
                continue
            out.append(c)
        else:
            if c == '\\' and i + 1 < n:
                out.append(text[i:i + 2])
                i += 2
                continue
            if c == state or c == '\n':
                state = None
                out.append(c)
            elif ord(c) < 0x80:
                out.append(c)
            else:
                out.append(''.join('\\%03o' % b for b in c.encode('cp932')))
        i += 1
    return ''.join(out)


def main():
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding='utf-8') as f:
        text = f.read()
    os.makedirs(os.path.dirname(output) or '.', exist_ok=True)
    escaped = source.replace('\\', '\\\\').replace('"', '\\"')
    with open(output, 'w', encoding='utf-8', newline='\n') as f:
        f.write('#line 1 "%s"\n' % escaped)
        f.write(encode(text))


if __name__ == '__main__':
    main()
