#!/bin/sh
# makensis for a 64-bit installer from a script in UTF-8; CPack cannot pass an option with a
# space to it.
exec makensis -INPUTCHARSET UTF8 "-XTarget amd64-unicode" "$@"
