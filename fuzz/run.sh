#!/usr/bin/env bash
# Runs fuzz targets for a given time each, on their seed corpus.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# BUILD_DIR was configured with VELLACORD_FUZZ=ON (scripts/build-sanitized.sh
# makes build-sanitize). Without TARGET names every target runs. Each target
# keeps what it learns in BUILD_DIR/fuzz-corpus/TARGET and starts from it the
# next time; inputs that crash, hang or leak go to BUILD_DIR/fuzz-artifacts/.
# Exit status 1 when any target found something.
set -uo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  sed -n '2,9p' "$0"
  exit 2
fi
build=$(realpath "$1")
seconds=$2
shift 2
all=(fuzz_index_block_scan fuzz_index_hash_walk fuzz_index_parallel_scan fuzz_cookie_text
     fuzz_profile_hive fuzz_favorite_url fuzz_shell_item_list fuzz_shortcut fuzz_dest_list
     fuzz_automatic_jump_list fuzz_custom_jump_list fuzz_mru_hive fuzz_browser_database
     fuzz_userassist_value fuzz_recycle_bin fuzz_prefetch fuzz_shell_item_facts
     fuzz_chrome_block_file_cache fuzz_chrome_simple_cache fuzz_firefox_cache2
     fuzz_disk_image fuzz_thumbnail_png fuzz_linux_home)
targets=("${@:-${all[@]}}")

# The seed inputs of each target, from the test data and the sample profile,
# and its dictionary.
seeds() {
  case "$1" in
    fuzz_index_*)
      printf '%s\n' tests/data/content-ie5-index.dat tests/data/history-ie5-index.dat
      find samples -iname index.dat ;;
    fuzz_cookie_text) find samples -path '*/Cookies/*' -name '*.txt' ;;
    fuzz_profile_hive)
      printf '%s\n' tests/data/ntuser-*.dat
      find samples -iname ntuser.dat ;;
    fuzz_favorite_url) find samples -iname '*.url' ;;
    fuzz_shell_item_list) find tests/data/shell-items -name '*.bin' ;;
    fuzz_shortcut)
      find tests/data samples -iname '*.lnk' ;;
    fuzz_dest_list) printf '%s\n' tests/data/destlist-*.bin ;;
    fuzz_automatic_jump_list) find tests/data samples -name '*.automaticDestinations-ms' ;;
    fuzz_custom_jump_list) find tests/data samples -name '*.customDestinations-ms' ;;
    fuzz_mru_hive) printf '%s\n' tests/data/ntuser-win10.dat ;;
    fuzz_browser_database)
      printf '%s\n' tests/data/chrome-History tests/data/chrome-cookies.db \
        tests/data/firefox-*.sqlite ;;
    fuzz_userassist_value) find tests/data/userassist -type f ;;
    fuzz_recycle_bin) find tests/data/recycle-bin -type f ;;
    fuzz_prefetch) find tests/data/prefetch -type f ;;
    fuzz_shell_item_facts) find tests/data/shell-items -type f ;;
    fuzz_chrome_block_file_cache)
      printf 'tests/data/chrome-cache/%s\n' index data_0 data_1 data_2 f_000001 f_000034 ;;
    fuzz_chrome_simple_cache) find tests/data/simple-cache -type f ;;
    fuzz_firefox_cache2)
      printf '%s\n' tests/data/firefox-cache2/* tests/data/firefox-cache2-index/index ;;
    # The small images first (whole within -max_len), then the larger ones,
    # which are cut at it.
    fuzz_disk_image)
      printf '%s\n' tests/data/images/seed-* tests/data/images/real/* \
        tests/data/images/disk-gpt.qcow2 \
        tests/data/images/disk-gpt.vmdk ;;
    fuzz_thumbnail_png) find tests/data/linux-home -name '*.png' ;;
    fuzz_linux_home) find tests/data/linux-home -type f ! -name '*.png' ;;
  esac
}
dictionary() {
  case "$1" in
    fuzz_index_*) echo fuzz/index.dict ;;
    fuzz_cookie_text) echo fuzz/cookie.dict ;;
    fuzz_profile_hive) echo fuzz/hive.dict ;;
    fuzz_favorite_url) echo fuzz/url.dict ;;
    fuzz_shell_item_list) echo fuzz/shell-items.dict ;;
    fuzz_shortcut) echo fuzz/shortcut.dict ;;
    fuzz_dest_list | fuzz_automatic_jump_list | fuzz_custom_jump_list) echo fuzz/jump-list.dict ;;
    fuzz_mru_hive) echo fuzz/hive.dict ;;
    fuzz_browser_database) echo fuzz/sqlite.dict ;;
    fuzz_userassist_value) echo fuzz/userassist.dict ;;
    fuzz_recycle_bin) echo fuzz/recycle.dict ;;
    fuzz_prefetch) echo fuzz/prefetch.dict ;;
    fuzz_shell_item_facts) echo fuzz/shell-item.dict ;;
    fuzz_chrome_*|fuzz_firefox_cache2) echo fuzz/cache.dict ;;
    fuzz_disk_image) echo fuzz/image.dict ;;
    fuzz_thumbnail_png) echo fuzz/png.dict ;;
    fuzz_linux_home) echo fuzz/linux-home.dict ;;
  esac
}
maxLength() {
  case "$1" in
    fuzz_profile_hive | fuzz_mru_hive) echo 1048576 ;; # a whole hive of the test data
    fuzz_browser_database) echo 1048576 ;;             # the real databases of the test data
    fuzz_chrome_block_file_cache) echo 300000 ;; # the index and data_1 whole
    fuzz_disk_image) echo 1200000 ;;   # the small seed images whole
    *) echo 65536 ;;
  esac
}
# The most a target may allocate at once: a reader that sizes a buffer from a
# forged field is a finding even when the buffer would fit in memory (the
# libraries' allocation bombs were found this way).
mallocLimit() {
  case "$1" in
    fuzz_index_* | fuzz_cookie_text | fuzz_profile_hive | fuzz_favorite_url) echo 2048 ;;
    *) echo 256 ;;
  esac
}

# The leaks of the libraries the program uses, with their reasons, are the
# tests' (scripts/lsan.supp); any other leak is a finding.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

# Options of one target. The disk image libraries (libewf, libvmdk, libvhdi,
# The Sleuth Kit) leak what they had allocated when opening a damaged image
# fails, and their stacks, without frame pointers, end inside them: leaks are
# not looked for in that target (the sanitized tests check that the reader
# frees what it opens).
targetOptions() {
  case "$1" in
    fuzz_disk_image) echo -detect_leaks=0 ;;
  esac
}
leakCheckAtExit() {
  case "$1" in
    fuzz_disk_image) echo 0 ;;
    *) echo 1 ;;
  esac
}

status=0
mkdir -p "$build/fuzz-artifacts"
for t in "${targets[@]}"; do
  binary="$build/fuzz/$t"
  if [ ! -x "$binary" ]; then
    echo "fuzz: $binary is not built" >&2
    status=1
    continue
  fi
  corpus="$build/fuzz-corpus/$t"
  seedDir="$build/fuzz-seeds/$t"
  mkdir -p "$corpus" "$seedDir"
  while IFS= read -r f; do
    cp -f "$f" "$seedDir/$(echo "$f" | tr '/ ' '__')"
  done < <(seeds "$t")
  log="$build/fuzz-artifacts/$t.log"
  echo "fuzz: $t for ${seconds}s"
  # Leaks are looked for; a run that exceeds its memory or time per input is
  # a finding too.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=$(leakCheckAtExit "$t")" \
  "$binary" "$corpus" "$seedDir" -dict="$(dictionary "$t")" -max_len="$(maxLength "$t")" \
    -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
    -malloc_limit_mb="$(mallocLimit "$t")" -print_final_stats=1 \
    $(targetOptions "$t") \
    -artifact_prefix="$build/fuzz-artifacts/$t-" >"$log" 2>&1
  result=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$')
  echo "fuzz: $t: ${runs:-0} runs, ${speed:-0} per second, exit $result"
  if [ $result -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    echo "fuzz: $t found a fault; see $log" >&2
    grep -E -A30 'ERROR:|runtime error:' "$log" | head -60 >&2
    status=1
  fi
done
exit $status
