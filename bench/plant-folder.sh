# Sourced by the plant benches (POSIX sh): the plant's folder they read, made when not given,
# and `cat` of the same files, which every step is measured against.
# A plant is 20 units x 3650 days x 96 records a day, and 200,000 alarms; PLANT_UNITS,
# PLANT_DAYS, PLANT_RECORDS_PER_DAY and PLANT_ALARMS make a smaller one for a quick try.

# make_plant BUILD_FOLDER FOLDER: makes a plant's folder with the build's telvoran-mkarchive.
make_plant() {
  "$1/telvoran-mkarchive" --plant "$2" --units "${PLANT_UNITS:-20}" --days "${PLANT_DAYS:-3650}" \
    --records-per-day "${PLANT_RECORDS_PER_DAY:-96}" --alarms "${PLANT_ALARMS:-200000}"
}

# plant_or_new BUILD_FOLDER [FOLDER]: prints FOLDER, or a new plant made in a temporary folder
# when it is empty.
plant_or_new() {
  if [ -n "${2:-}" ]; then
    echo "$2"
    return
  fi
  made=$(mktemp -d)/plant
  make_plant "$1" "$made" >/dev/null
  echo "$made"
}

now() { date +%s.%N; }

# cat_seconds LIST: the seconds `cat` takes over the files named one a line in LIST, after a
# reading that puts them in the page cache.
cat_seconds() {
  xargs -d '\n' cat <"$1" >/dev/null
  start=$(now)
  xargs -d '\n' cat <"$1" >/dev/null
  end=$(now)
  echo "$end - $start" | bc -l
}
