#!/usr/bin/env python3
"""Scrapes a metrics endpoint and parses it with prometheus_client's text parser.

Prints one JSON object: {"<sample name>": {"<meter label>": [value, "<model label>"]}}.
Exits 1 when the scrape fails, takes longer than Prometheus waits by default (10 s),
or the text does not parse.
"""
import json
import sys
import urllib.request

from prometheus_client.parser import text_string_to_metric_families


def main():
    with urllib.request.urlopen(sys.argv[1], timeout=10) as response:
        if response.status != 200:
            sys.exit(f"status {response.status}")
        text = response.read().decode("utf-8")
    samples = {}
    for family in text_string_to_metric_families(text):
        for sample in family.samples:
            meter = sample.labels.get("meter")
            if meter is not None:
                samples.setdefault(sample.name, {})[meter] = [
                    sample.value, sample.labels.get("model")]
    json.dump(samples, sys.stdout)


if __name__ == "__main__":
    main()
