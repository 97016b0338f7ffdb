#!/usr/bin/env bash
echo "fuzzing not set up yet"
