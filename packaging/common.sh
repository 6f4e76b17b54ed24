# Sourced by build.sh and the package checks: the helpers they share.

# as_root <command...>: runs the command as root, through sudo when not root already.
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# installed <package>: whether the Debian package is installed.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# install_missing <package...>: installs those that are not installed yet.
install_missing() {
  local missing=() package
  for package in "$@"; do
    installed "$package" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# wine_environment: a quiet Wine that never asks to install Mono or Gecko and puts nothing
# into the Linux desktop's menus. Qt looks at the GPU through Direct3D, which brings in Mesa;
# Mesa's shader cache thread runs at the lowest priority and its exit handler waits for it:
# on a busy machine a program's exit then outlasts the half second the wineserver allows
# before it kills the process. Without that cache nothing waits.
wine_environment() {
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
  export MESA_SHADER_CACHE_DISABLE=${MESA_SHADER_CACHE_DISABLE:-true}
}

# retry <seconds> <command...>: tries the command every half second until it succeeds or the
# time is up. Windows come and go (an X error stops a single try), a busy machine is slow.
retry() {
  local limit=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $limit ] || { echo "still failing after the time limit: $*"; return 1; }
    sleep 0.5
  done
}

# visible_window <title pattern>: prints the id of a visible window whose title matches.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }

# check <description> <command...>: runs the command, prints ok or FAIL with its output, and
# counts the failures in $failures. Needs $scratch.
failures=0
check() {
  local description=$1; shift
  if "$@" >"$scratch/output" 2>&1; then
    echo "ok    $description"
  else
    echo "FAIL  $description"; sed 's/^/      /' "$scratch/output"
    failures=$((failures + 1))
  fi
}
