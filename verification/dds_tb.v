// Drives a generated core from stimulus.txt (one line per clock cycle) and
// writes its outputs after every rising edge to response.txt, in the
// working directory. Ports the configuration lacks read as 0. Stops with an
// error when the table file or the stimulus is missing, or an output is
// unknown.
`timescale 1ns / 1ps
`include "top_define.vh"
`include "dds_ii_top_defines.vh"

module dds_tb;
    localparam P = `DEFINE_PHASE_WIDTH;
    localparam W = `DEFINE_OUTPUT_WIDTH;

    reg         clk = 1'b0;
    reg         rst_n = 1'b0;
    reg         phase_valid = 1'b0, phase_resync = 1'b0, phase_tlast = 1'b0;
    reg [P-1:0] phase_in = 0, phase_inc = 0, phase_off = 0;
    reg         config_valid = 1'b0, config_tlast = 1'b0;
    reg [P-1:0] config_inc = 0, config_off = 0;

    wire         data_valid;
    wire [3:0]   chan_id;
    localparam CIB = (`DEFINE_CH_NUM > 8) ? 4 : (`DEFINE_CH_NUM > 4) ? 3 : (`DEFINE_CH_NUM > 2) ? 2 : 1;
    wire [CIB-1:0] chan_id_port;
    wire [P-1:0] phase_out;
    wire [W-1:0] sine, cosine;
    wire         phase_missing, phase_unexpected, config_missing, config_unexpected;

    `module_name dut (
        .clk_i(clk),
        .rst_n_i(rst_n),
`ifdef PHASE_EN
        .phase_valid_i(phase_valid),
`endif
`ifdef PHASEIN_EN
        .phase_i(phase_in),
`endif
`ifdef PHASEINC_EN
        .phase_inc_i(phase_inc),
`ifdef PHASERESYNC
        .phase_resync_i(phase_resync),
`endif
`endif
`ifdef PHASEOFF_EN
        .phase_off_i(phase_off),
`endif
`ifdef MULTI_CHANNEL
`ifdef PHASEINC_EN
        .phase_tlast_i(phase_tlast),
        .phase_tlast_missing_o(phase_missing),
        .phase_tlast_unexpected_o(phase_unexpected),
`elsif PHASEOFF_EN
        .phase_tlast_i(phase_tlast),
        .phase_tlast_missing_o(phase_missing),
        .phase_tlast_unexpected_o(phase_unexpected),
`endif
`endif
`ifdef CONFIG_EN
        .config_valid_i(config_valid),
`endif
`ifdef CONFIGINC_EN
        .config_inc_i(config_inc),
`endif
`ifdef CONFIGOFF_EN
        .config_off_i(config_off),
`endif
`ifdef CONFIG_EN
`ifdef MULTI_CHANNEL
        .config_tlast_i(config_tlast),
        .config_tlast_missing_o(config_missing),
        .config_tlast_unexpected_o(config_unexpected),
`endif
`endif
`ifdef PHASE_OUT
        .phase_out_o(phase_out),
`endif
`ifdef COSSINE_OUT
        .cosine_o(cosine),
`endif
`ifdef SINE_OUT
        .sine_o(sine),
`endif
`ifdef CHANID_OUT
`ifdef MULTI_CHANNEL
        .chan_id_o(chan_id_port),
`endif
`endif
        .data_valid_o(data_valid)
    );

    // Absent outputs read 0 (the nets above stay undriven otherwise).
`ifndef PHASE_OUT
    assign phase_out = 0;
`endif
`ifndef COSSINE_OUT
    assign cosine = 0;
`endif
`ifndef SINE_OUT
    assign sine = 0;
`endif
`ifdef CHANID_OUT
`ifdef MULTI_CHANNEL
    assign chan_id = {3'b000, chan_id_port} & 4'hf;
`else
    assign chan_id = 0;
`endif
`else
    assign chan_id = 0;
`endif
`ifndef MULTI_CHANNEL
    assign {phase_missing, phase_unexpected, config_missing, config_unexpected} = 4'b0;
`else
`ifndef PHASEINC_EN
`ifndef PHASEOFF_EN
    assign {phase_missing, phase_unexpected} = 2'b0;
`endif
`endif
`ifndef CONFIG_EN
    assign {config_missing, config_unexpected} = 2'b0;
`endif
`endif

    integer stimulus, response, fields, table_file;
    reg [P-1:0] f_rst, f_valid, f_in, f_inc, f_off, f_resync, f_tlast;
    reg [P-1:0] f_cvalid, f_cinc, f_coff, f_ctlast;

    initial begin
`ifdef DEFINE_FILENAME
        if (`DEFINE_WORKMODE != 1) begin
            table_file = $fopen(`DEFINE_FILENAME, "r");
            if (table_file == 0)
                $fatal(1, "table file %0s is missing in the working directory", `DEFINE_FILENAME);
            $fclose(table_file);
        end
`endif
        stimulus = $fopen("stimulus.txt", "r");
        if (stimulus == 0)
            $fatal(1, "stimulus.txt is missing in the working directory");
        response = $fopen("response.txt", "w");
        if (response == 0)
            $fatal(1, "cannot write response.txt");
        fields = $fscanf(stimulus, "%h %h %h %h %h %h %h %h %h %h %h\n", f_rst, f_valid, f_in,
                         f_inc, f_off, f_resync, f_tlast, f_cvalid, f_cinc, f_coff, f_ctlast);
        while (fields == 11) begin
            rst_n = f_rst[0];
            phase_valid = f_valid[0];
            phase_in = f_in;
            phase_inc = f_inc;
            phase_off = f_off;
            phase_resync = f_resync[0];
            phase_tlast = f_tlast[0];
            config_valid = f_cvalid[0];
            config_inc = f_cinc;
            config_off = f_coff;
            config_tlast = f_ctlast[0];
            #5 clk = 1'b1;
            #1;
            if (^{data_valid, chan_id, phase_out, sine, cosine, phase_missing, phase_unexpected,
                  config_missing, config_unexpected} === 1'bx && rst_n)
                $fatal(1, "unknown output after %0t: valid %b sine %h cosine %h phase %h",
                       $time, data_valid, sine, cosine, phase_out);
            $fwrite(response, "%h %h %h %h %h %h %h %h %h\n", data_valid, chan_id, phase_out,
                    sine, cosine, phase_missing, phase_unexpected, config_missing,
                    config_unexpected);
            #4 clk = 1'b0;
            fields = $fscanf(stimulus, "%h %h %h %h %h %h %h %h %h %h %h\n", f_rst, f_valid,
                             f_in, f_inc, f_off, f_resync, f_tlast, f_cvalid, f_cinc, f_coff,
                             f_ctlast);
        end
        $fclose(response);
        $finish;
    end
endmodule
