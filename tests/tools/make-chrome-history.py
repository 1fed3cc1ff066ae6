#!/usr/bin/env python3
"""Write a large Chrome History database for benchmarks.

usage: make-chrome-history.py OUT VISITS [URLS] [SEED]

The urls and visits tables have the columns and indexes of a current
Chrome History (the columns the program reads and those it passes over);
visits are spread over 2015-2024 with realistic transitions, addresses and
titles. The file is left in rollback-journal mode, so that reading it with
"sqlite3 -readonly" writes nothing beside it. Deterministic for given
arguments.
"""
import os
import random
import sqlite3
import sys

HOSTS = ["www.example.com", "news.example.org", "mail.example.net", "search.example.com",
         "shop.example.co.uk", "video.stream.example", "docs.example.io", "wiki.example.org"]
WORDS = ["report", "weather", "login", "inbox", "results", "cart", "watch", "article",
         "settings", "profile", "download", "help", "news", "Zürich", "café", "über"]
# Core types with Chrome's usual qualifiers (chain start/end, redirects).
TRANSITIONS = [0x30000000, 0x30000001, 0x10000001, 0xA0000001, 0x30000008, 0x60000000,
               0x30000007, 0x31000000, 0x30000005, 0x30000003]
START = 13080000000000000  # 2015-06 in microseconds since 1601
SPAN = 300000000000000     # about 9.5 years

SCHEMA = """
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT, url LONGVARCHAR, title LONGVARCHAR,
  visit_count INTEGER DEFAULT 0 NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL,
  last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT, url INTEGER NOT NULL,
  visit_time INTEGER NOT NULL, from_visit INTEGER, transition INTEGER DEFAULT 0 NOT NULL,
  segment_id INTEGER, visit_duration INTEGER DEFAULT 0 NOT NULL,
  incremented_omnibox_typed_score BOOLEAN DEFAULT FALSE NOT NULL,
  opener_visit INTEGER, originator_cache_guid TEXT, originator_visit_id INTEGER,
  originator_from_visit INTEGER, originator_opener_visit INTEGER,
  is_known_to_sync BOOLEAN DEFAULT FALSE NOT NULL,
  consider_for_ntp_most_visited BOOLEAN DEFAULT FALSE NOT NULL);
"""
INDEXES = """
CREATE INDEX urls_url_index ON urls (url);
CREATE INDEX visits_url_index ON visits (url);
CREATE INDEX visits_from_index ON visits (from_visit);
CREATE INDEX visits_time_index ON visits (visit_time);
"""


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out, visits = sys.argv[1], int(sys.argv[2])
    urls = int(sys.argv[3]) if len(sys.argv) > 3 else max(1, visits // 10)
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 15)
    if os.path.exists(out):
        os.remove(out)
    db = sqlite3.connect(out)
    db.executescript("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;" + SCHEMA)
    db.execute("INSERT INTO meta VALUES ('version', '67'), ('last_compatible_version', '16')")

    def url_rows():
        for i in range(1, urls + 1):
            host = rng.choice(HOSTS)
            words = [rng.choice(WORDS) for _ in range(rng.randint(1, 4))]
            path = "/".join(words) + "?id=%d" % rng.randrange(10 ** 9)
            title = " ".join(w.capitalize() for w in words) + " - " + host
            yield (i, "https://%s/%s" % (host, path), title, 0, rng.randrange(3), 0)

    db.executemany("INSERT INTO urls (id, url, title, visit_count, typed_count, last_visit_time)"
                   " VALUES (?, ?, ?, ?, ?, ?)", url_rows())

    times = sorted(START + rng.randrange(SPAN) for _ in range(visits))

    def visit_rows():
        for i, t in enumerate(times, 1):
            yield (i, rng.randint(1, urls), t, i - 1 if rng.random() < 0.3 else 0,
                   rng.choice(TRANSITIONS), 0, rng.randrange(10 ** 8))

    db.executemany("INSERT INTO visits (id, url, visit_time, from_visit, transition, segment_id,"
                   " visit_duration) VALUES (?, ?, ?, ?, ?, ?, ?)", visit_rows())
    db.executescript(INDEXES + """
        UPDATE urls SET visit_count = (SELECT count(*) FROM visits WHERE visits.url = urls.id),
          last_visit_time = coalesce((SELECT max(visit_time) FROM visits
                                      WHERE visits.url = urls.id), 0);
        PRAGMA journal_mode = DELETE;
    """)
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
