# Thin wrapper over build.sh for those who type make.
.PHONY: demo test asan fuzz ci
demo test asan ci:
	./build.sh $@
fuzz:
	./build.sh fuzz $(or $(SECONDS),60)
