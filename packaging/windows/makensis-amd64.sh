#!/bin/sh
# makensis for a 64-bit installer; CPack cannot pass an option with a space to it.
exec makensis "-XTarget amd64-unicode" "$@"
