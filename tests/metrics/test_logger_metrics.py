#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""usb-meter-log --metrics over two simulated meters, read with prometheus_client's parser.

    test_logger_metrics.py CHILD                       unplug, replug, bad input, taken port
    test_logger_metrics.py CHILD --load SECONDS RATE   RATE scrapes a second while recording

CHILD is the recorder over simulated meters that takes commands on standard input.
Everything listens and connects on 127.0.0.1 only.
"""
import atexit
import json
import math
import os
import re
import selectors
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request

from prometheus_client.parser import text_string_to_metric_families

GAUGES = ["usb_meter_bus_voltage_volts", "usb_meter_bus_current_amperes",
          "usb_meter_power_watts", "usb_meter_data_plus_volts", "usb_meter_data_minus_volts",
          "usb_meter_cc1_volts", "usb_meter_cc2_volts", "usb_meter_temperature_celsius"]
# What the test makes each meter send (the meter's resolution is a millionth); the ninth
# channel, the NTC, is not recorded.
READINGS = [[5.125, 1.5, 7.6875, 0.601, 0.598, 1.682, 0.004, 31.25, 25.0],
            [20.5, 3.25, 66.625, 0.0, 0.0, 0.012, 1.71, 44.5, 25.0]]
AFTER_REPLUG = [9.0, 2.0, 18.0, 0.5, 0.5, 0.0, 1.7, 40.0, 25.0]
DASHBOARD = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "grafana",
                         "usb-meter.json")


def as_float32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def fail(message):
    print("FAIL:", message, flush=True)
    sys.exit(1)


class Logger:
    def __init__(self, child, folder, address="127.0.0.1:0"):
        self.process = subprocess.Popen(
            [child, "--all", "-o", folder, "--metrics", address],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        # A failing check exits at once; the recorder must not outlive the test.
        atexit.register(self.process.kill)
        self.errors = []
        self.url = None
        announced = threading.Event()

        def drain():
            for line in self.process.stderr:
                self.errors.append(line)
                if line.startswith("metrics at "):
                    self.url = line.split()[-1]
                    announced.set()
            announced.set()

        threading.Thread(target=drain, daemon=True).start()
        announced.wait(60)

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        return self.process.wait(60)


def scrape(url, timeout=10):
    """Sample name -> meter -> value."""
    with urllib.request.urlopen(url, timeout=timeout) as response:
        text = response.read().decode("utf-8")
    samples = {}
    for family in text_string_to_metric_families(text):
        for sample in family.samples:
            if "meter" in sample.labels:
                samples.setdefault(sample.name, {})[sample.labels["meter"]] = sample.value
    return samples


def wait_for(what, predicate, url, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        samples = scrape(url)
        if predicate(samples):
            return samples
        time.sleep(0.2)
    fail(f"{what}: not seen within {seconds} s; last scrape {samples}")


def shows(samples, meter, reading):
    """Every gauge holds the float the meter decodes from what it sent."""
    return all(as_float32(samples.get(name, {}).get(meter, math.nan)) == as_float32(reading[k])
               for k, name in enumerate(GAUGES))


def set_reading(logger, index, reading):
    logger.send(f"set {index} " + " ".join(repr(v) for v in reading))


def meter_showing(samples, reading):
    for meter in samples.get("usb_meter_up", {}):
        if shows(samples, meter, reading):
            return meter
    return None


def start_two_meters(logger):
    for index, reading in enumerate(READINGS):
        set_reading(logger, index, reading)
    samples = wait_for("both meters' readings",
                       lambda s: all(meter_showing(s, r) for r in READINGS), logger.url)
    return [meter_showing(samples, r) for r in READINGS]


def sequence(child):
    with tempfile.TemporaryDirectory() as folder, tempfile.TemporaryDirectory() as second:
        logger = Logger(child, folder)
        if not logger.url:
            fail(f"no metrics address announced: {''.join(logger.errors)}")
        url = logger.url
        first, other = start_two_meters(logger)
        samples = scrape(url)
        for meter in (first, other):
            if samples["usb_meter_up"][meter] != 1 or samples["usb_meter_samples_total"][meter] < 1:
                fail(f"{meter} not up with samples: {samples}")

        with open(DASHBOARD, encoding="utf-8") as f:
            queried = set(re.findall(r"usb_meter_\w+", json.dumps(json.load(f))))
        if not queried or queried - set(samples):
            fail(f"the dashboard queries series the recorder does not serve: {queried - set(samples)}")

        logger.send("garbage 1")
        wait_for("the rejected report",
                 lambda s: s["usb_meter_rejected_reports_total"].get(other) == 1, url)

        logger.send("unplug 1")
        samples = wait_for("the unplug", lambda s: s["usb_meter_up"].get(other) == 0, url)
        left = sorted(name for name, meters in samples.items() if other in meters)
        if left != ["usb_meter_up"]:
            fail(f"series of the unplugged meter still shown: {left}")
        if not shows(samples, first, READINGS[0]):
            fail("the meter still plugged in lost its values")

        set_reading(logger, 1, AFTER_REPLUG)
        logger.send("replug 1")
        wait_for("the replugged meter's new reading", lambda s: shows(s, other, AFTER_REPLUG), url)

        # A port in use: status 2, the address named, nothing recorded.
        port = url.split(":")[2].split("/")[0]
        taken = subprocess.run([child, "--all", "-o", second, "--metrics", f"127.0.0.1:{port}"],
                               stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=60)
        if taken.returncode != 2 or f"127.0.0.1:{port}" not in taken.stderr or os.listdir(second):
            fail(f"taken port: status {taken.returncode}, {taken.stderr!r}, {os.listdir(second)}")

        hostile_clients(logger, int(port), first)
        status = logger.stop()
        if status != 0:
            fail(f"recorder ended with {status}: {''.join(logger.errors)}")
    print("PASS: sequence", flush=True)


def resident_kib(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def burst_of_scrapes(port, count):
    """Opens `count` connections at once, each asking for /metrics; how many got 200."""
    selector = selectors.DefaultSelector()
    replies = {}
    for _ in range(count):
        client = socket.socket()
        client.setblocking(False)
        client.connect_ex(("127.0.0.1", port))
        selector.register(client, selectors.EVENT_WRITE)
        replies[client] = b""
    deadline = time.monotonic() + 120
    while selector.get_map() and time.monotonic() < deadline:
        for key, events in selector.select(1):
            client = key.fileobj
            try:
                if events & selectors.EVENT_WRITE:
                    client.send(b"GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
                    selector.modify(client, selectors.EVENT_READ)
                    continue
                data = client.recv(65536)
            except OSError:
                data = b""
            replies[client] += data
            if not data:
                selector.unregister(client)
                client.close()
    for client in list(selector.get_map().values()):
        client.fileobj.close()
    return sum(reply.startswith(b"HTTP/1.1 200") for reply in replies.values())


# Twice the endpoint's worker threads: each silent client holds one until its time-out.
SILENT_CLIENTS = 16
MALFORMED = [b"\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 a TLS hello",
             b"GET /metrics HTTP/9.9 trailing words\r\n\r\n",
             b"GET /metrics HTTP/1.1\r\nContent-Length: -5\r\n\r\n",
             b"GET /metrics HTTP/1.1\r\nX-Long: " + b"x" * 200000 + b"\r\n\r\n",
             b"GET /metrics"]


def hostile_clients(logger, port, meter):
    """Silent clients, malformed requests and bursts of a thousand connections: the
    recorder keeps recording, the endpoint keeps answering within Prometheus's default
    time-out (10 s) and serves nothing but /metrics, and its memory levels off."""
    before = scrape(logger.url)["usb_meter_samples_total"][meter]
    silent = [socket.create_connection(("127.0.0.1", port)) for _ in range(SILENT_CLIENTS)]
    scrape(logger.url)
    for request in MALFORMED:
        with socket.create_connection(("127.0.0.1", port), timeout=10) as client:
            try:
                client.sendall(request)
                while client.recv(65536):
                    pass
            except OSError:
                pass  # the server may drop such a client at once
        scrape(logger.url)
    try:
        urllib.request.urlopen(logger.url.replace("/metrics", "/"), timeout=10)
        fail("something besides /metrics is served")
    except urllib.error.HTTPError as error:
        if error.code != 404:
            fail(f"/ answered {error.code}")
    answered = [burst_of_scrapes(port, 1000)]
    after_first = resident_kib(logger.process.pid)
    answered += [burst_of_scrapes(port, 1000), burst_of_scrapes(port, 1000)]
    grown = resident_kib(logger.process.pid) - after_first
    print(f"bursts of 1000: {answered} answered; memory grew {grown} KiB after the first",
          flush=True)
    # A sanitizer's allocator holds freed memory back on purpose: only the answers count.
    growth_limit = float("inf") if os.environ.get("SANITIZED") else 4096
    if answered != [1000] * 3 or grown > growth_limit:
        fail("a burst of connections went unanswered or memory kept growing")
    wait_for("samples through all that",
             lambda s: s["usb_meter_samples_total"][meter] >= before + 2, logger.url)
    for client in silent:
        client.close()


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(math.ceil(fraction * len(ordered))) - 1)]


def load(child, seconds, rate):
    connections = 4
    with tempfile.TemporaryDirectory() as folder:
        logger = Logger(child, folder)
        meters = start_two_meters(logger)
        stamps = {meter: set() for meter in meters}
        latencies, failures = [], []
        lock = threading.Lock()
        start = time.monotonic()

        def client(offset):
            period = connections / rate
            for n in range(int(seconds * rate / connections)):
                due = start + offset * period / connections + n * period
                time.sleep(max(0.0, due - time.monotonic()))
                began = time.monotonic()
                try:
                    samples = scrape(logger.url)
                except Exception as error:  # every failed scrape is reported
                    with lock:
                        failures.append(repr(error))
                    continue
                with lock:
                    latencies.append(time.monotonic() - began)
                    for meter in meters:
                        stamp = samples["usb_meter_last_sample_timestamp_seconds"].get(meter)
                        if stamp is not None:
                            stamps[meter].add(stamp)

        threads = [threading.Thread(target=client, args=(i,)) for i in range(connections)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        elapsed = time.monotonic() - start
        status = logger.stop()
    print(f"{len(latencies)} scrapes in {elapsed:.1f} s ({len(latencies) / elapsed:.0f}/s), "
          f"latency median {percentile(latencies, 0.5) * 1000:.1f} ms, "
          f"p99 {percentile(latencies, 0.99) * 1000:.1f} ms, {len(failures)} failed", flush=True)
    if failures:
        fail(f"failed scrapes: {failures[:5]}")
    for meter, seen in stamps.items():
        ordered = sorted(seen)
        gaps = [b - a for a, b in zip(ordered, ordered[1:])]
        print(f"{meter}: {len(ordered)} samples seen, longest interval {max(gaps):.3f} s",
              flush=True)
        if len(ordered) < seconds - 2 or max(gaps) > 1.1:
            fail(f"{meter}: a sample came more than 100 ms late")
    if status != 0:
        fail(f"recorder ended with {status}")
    print("PASS: load", flush=True)


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[2] == "--load":
        load(sys.argv[1], int(sys.argv[3]), int(sys.argv[4]))
    else:
        sequence(sys.argv[1])
