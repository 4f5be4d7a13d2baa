#!/usr/bin/env python3
"""Validates each line of a JSON Lines file against a JSON Schema (the tests'
check that kelvio read --json keeps its published form).
Usage: python3 scripts/skeema.py SCHEMA FILE"""
import json
import sys

import jsonschema

with open(sys.argv[1], encoding="utf-8") as f:
    skeema = json.load(f)
jsonschema.Draft202012Validator.check_schema(skeema)
tarkistin = jsonschema.Draft202012Validator(skeema)
vikoja = 0
with open(sys.argv[2], encoding="utf-8") as f:
    for n, rivi in enumerate(f, 1):
        for vika in tarkistin.iter_errors(json.loads(rivi)):
            print(f"line {n}: {vika.message} at {list(vika.absolute_path)}")
            vikoja += 1
print(f"{n if 'n' in dir() else 0} records, {vikoja} faults")
sys.exit(1 if vikoja else 0)
